#include "app/view/link_event_relay.h"

#include <QMetaObject>
#include <QTimer>

#include <atomic>
#include <memory>

#include "pages/kit/panel_action.h"
#include "pages/kit/user_prompts.h"
#include "serial/serial_link.h"

namespace {

constexpr int kRetryMs = 100;

// Shows the box once no panel work is under way: the window handles its events between the
// requests of a long download, and a box there would let the user start more panel work in
// the middle of it.
void ShowWhenIdle(QObject* context, UserPrompts& prompts,
                  const std::shared_ptr<std::atomic<bool>>& pending, const char* text) {
    if (PanelWorkInProgress()) {
        QTimer::singleShot(kRetryMs, context, [context, &prompts, pending, text] {
            ShowWhenIdle(context, prompts, pending, text);
        });
        return;
    }
    ShowOk(prompts, text, "");
    *pending = false;
}

// Queues one box at a time per kind of report.
void Queue(QObject* context, UserPrompts& prompts, std::shared_ptr<std::atomic<bool>> pending,
           const char* text) {
    if (pending->exchange(true)) {
        return;
    }
    QMetaObject::invokeMethod(
        context,
        [context, &prompts, pending, text] { ShowWhenIdle(context, prompts, pending, text); },
        Qt::QueuedConnection);
}

}  // namespace

LinkEventRelay::LinkEventRelay(UserPrompts& prompts, QObject* parent)
    : QObject(parent), prompts_(prompts) {
    auto errorPending = std::make_shared<std::atomic<bool>>(false);
    auto endPending = std::make_shared<std::atomic<bool>>(false);
    serial::SetRxErrorNotifier([this, errorPending](uint32_t errors) {
        serial::Diagnostic("rxerrors (" + std::to_string(errors) + ")\n");
        Queue(this, prompts_, errorPending, "rxerrors");
    });
    serial::SetRxEndNotifier([this, endPending] {
        serial::Diagnostic("end rxthread\n");
        Queue(this, prompts_, endPending, "end rxthread");
    });
}

LinkEventRelay::~LinkEventRelay() {
    serial::SetRxErrorNotifier(nullptr);
    serial::SetRxEndNotifier(nullptr);
}
