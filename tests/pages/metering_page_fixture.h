#pragma once
// The Metering page (CPPTwo) over the real path with a fake window timer; automatic refresh
// starts fresh too.
#include <ctime>
#include <string>

#include "pages/data/metering_page.h"
#include "resources/ids/metering_counters.h"
#include "tests/support/fake_page_timer.h"
#include "tests/support/page_test.h"

namespace testing_support {

class MeteringPageTest : public PageTest<CPPTwo> {
  protected:
    static constexpr int kTimer = CPPTwo::kAutoRefreshTimer;

    void SetUp() override {
        PageTest::SetUp();
        ResetAutoRefresh();
        page_.SetTimer(&timer_);
        // Proposed file names as at 15:04:09 on Monday 7 December 2026.
        page_.SetClock([] {
            std::tm t{};
            t.tm_year = 126, t.tm_mon = 11, t.tm_mday = 7, t.tm_wday = 1;
            t.tm_hour = 15, t.tm_min = 4, t.tm_sec = 9;
            return t;
        });
    }
    void TearDown() override {
        PageTest::TearDown();
        ResetAutoRefresh();
        page_.SetTimer(nullptr);  // the timer goes before the page
    }

    // What the user's clicks and picks do: the form takes them, then the page is told.
    void ClickAutoRefresh(bool ticked) {
        page_.Form()[ids::metering::kAutoRefresh].selected = ticked ? 1 : 0;
        Press(ids::metering::kAutoRefresh);
    }
    void ChooseSeconds(const std::string& text) { Choose(ids::metering::kRefreshEvery, text); }
    bool Ticked() { return page_.Form()[ids::metering::kAutoRefresh].selected == 1; }
    bool Fire() { return timer_.Fire(page_, kTimer, prompts_); }

    FakePageTimer timer_;
};

}  // namespace testing_support
