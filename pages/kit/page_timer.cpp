#include "pages/kit/page_timer.h"

#include "pages/kit/page.h"
#include "pages/kit/panel_action.h"

void DeliverTimerTick(Page& page, int timerId, UserPrompts& prompts, const PanelActionRunner& run) {
    if (PanelWorkInProgress()) {
        return;
    }
    auto tick = [&page, timerId, &prompts] { page.OnTimer(timerId, prompts); };
    if (run) {
        run(tick);
    } else {
        tick();
    }
}
