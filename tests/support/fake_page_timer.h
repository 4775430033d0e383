#pragma once
// A page's timers without a window system: the test decides when a running timer runs out, and
// the tick reaches the page the way the view delivers it.
#include <map>

#include "pages/kit/page.h"
#include "pages/kit/page_timer.h"
#include "pages/kit/panel_action.h"

namespace testing_support {

class FakePageTimer : public PageTimer {
  public:
    void Start(int timerId, int intervalMs) override {
        running_[timerId] = intervalMs;
        ++armings;
    }
    void Stop(int timerId) override { running_.erase(timerId); }

    bool IsRunning(int timerId) const { return running_.count(timerId) != 0; }
    // The period the timer runs with, 0 when stopped.
    int Interval(int timerId) const {
        auto it = running_.find(timerId);
        return it == running_.end() ? 0 : it->second;
    }
    // Timer `timerId` runs out, if it is running: its tick goes through DeliverTimerTick as a
    // panel action of its own. False when the timer was not running.
    bool Fire(Page& page, int timerId, UserPrompts& prompts) {
        if (!IsRunning(timerId)) {
            return false;
        }
        DeliverTimerTick(page, timerId, prompts, [](const std::function<void()>& action) {
            PanelActionScope scope;
            action();
        });
        return true;
    }

    int armings = 0;

  private:
    std::map<int, int> running_;
};

}  // namespace testing_support
