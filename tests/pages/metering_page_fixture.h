#pragma once
// The Metering page over the real path: CPPTwo + its form + scripted prompts + a fake window
// timer + protocol + serial link + pseudo-terminal + simulated panel. Every process-wide state
// starts fresh, automatic refresh included.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "pages/data/metering_page.h"
#include "pages/kit/app_flags.h"
#include "protocol/requests.h"
#include "resources/ids/metering_counters.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "tests/support/fake_page_timer.h"
#include "tests/support/fake_user_prompts.h"
#include "tests/support/private_working_dir.h"
#include "tests/support/process_state.h"
#include "tests/support/pty_pair.h"
#include "tests/support/request_log.h"

namespace testing_support {

class MeteringPageTest : public ::testing::Test {
  protected:
    static constexpr unsigned kPanelPort = 8;
    static constexpr int kTimer = CPPTwo::kAutoRefreshTimer;

    void SetUp() override {
        ResetProcessState();
        ResetAutoRefresh();
        prompts_.requestCounter = [] { return RequestTotals().requests; };
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
        CloseCommPort();
        ResetFlags();
        ResetAutoRefresh();
        SetBetweenRequestsHook(nullptr);
    }

    // A panel at the far end of COM 8, the link open and the connected flag set.
    sim::PtyPanel& Connect(sim::PtyPanelOptions options = {}) {
        panel_ = std::make_unique<sim::PtyPanel>(options);
        panel_->linkAsComPort(kPanelPort);
        EXPECT_NE(OpenCommPort(kPanelPort, 9600, 1), 0);
        Flags().connected = true;
        ResetRequestTotals();
        return *panel_;
    }

    std::vector<std::string> Seen() const {
        panel_->waitForRequests(RequestTotals().requests, std::chrono::seconds(10));
        return Describe(panel_->requests());
    }
    void ForgetRequests() {
        Seen();
        panel_->clearRequests();
        ResetRequestTotals();
        prompts_.calls.clear();
    }

    // What the user's clicks and picks do: the form takes them, then the page is told.
    void ClickAutoRefresh(bool ticked) {
        page_.Form()[ids::metering::kAutoRefresh].selected = ticked ? 1 : 0;
        page_.OnCommand(ids::metering::kAutoRefresh, prompts_);
    }
    void ChooseSeconds(const std::string& text) {
        ControlState& combo = page_.Form()[ids::metering::kRefreshEvery];
        for (std::size_t i = 0; i < combo.items.size(); ++i) {
            if (combo.items[i] == text) {
                combo.Select(static_cast<int>(i));
            }
        }
        page_.OnSelectionChanged(ids::metering::kRefreshEvery, prompts_);
    }
    bool Ticked() { return page_.Form()[ids::metering::kAutoRefresh].selected == 1; }
    std::string Text(int id) { return page_.Form()[id].text; }
    bool Fire() { return timer_.Fire(page_, kTimer, prompts_); }

    PrivatePortsFolder ports_;
    PrivateWorkingDir cwd_;
    FakeUserPrompts prompts_;
    FakePageTimer timer_;
    CPPTwo page_;
    std::unique_ptr<sim::PtyPanel> panel_;
};

}  // namespace testing_support
