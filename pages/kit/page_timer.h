#pragma once
// Window timers of a page, by id. The page starts and stops them through this interface; the
// desktop view runs them with window timers, tests with a fake. A started timer ticks every
// interval until it is stopped; starting it again restarts it with the new interval.
#include <functional>

#include "pages/kit/user_prompts.h"

class Page;

class PageTimer {
  public:
    virtual ~PageTimer() = default;
    virtual void Start(int timerId, int intervalMs) = 0;
    virtual void Stop(int timerId) = 0;
};

// Runs a panel action the way the main window runs every user action (RunPanelAction).
using PanelActionRunner = std::function<void(const std::function<void()>&)>;

// How a tick of a page's timer reaches the page. A tick that comes while other panel work runs
// (in between the requests of another action, whose hook keeps the window's timers going) must
// not start requests of its own: it is dropped, and the timer, still running, ticks again one
// interval later. Otherwise the tick runs through `run` as a panel action of its own.
void DeliverTimerTick(Page& page, int timerId, UserPrompts& prompts, const PanelActionRunner& run);
