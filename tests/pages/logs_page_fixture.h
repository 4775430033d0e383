#pragma once
// The Logs and Quick Key page over the real path: CPPThree + its form + scripted prompts +
// protocol + serial link + pseudo-terminal + simulated panel. Every process-wide state, the
// page's own included, starts fresh.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "pages/data/logs_page_state.h"
#include "pages/data/logs_quick_key_page.h"
#include "pages/kit/app_flags.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"
#include "resources/ids/logs_quick_key.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "tests/support/fake_user_prompts.h"
#include "tests/support/private_working_dir.h"
#include "tests/support/process_state.h"
#include "tests/support/pty_pair.h"
#include "tests/support/request_log.h"

namespace testing_support {

class LogsPageTest : public ::testing::Test {
  protected:
    static constexpr unsigned kPort = 8;

    void SetUp() override {
        ResetProcessState();
        prompts_.requestCounter = [] { return RequestTotals().requests; };
    }
    void TearDown() override { ResetProcessState(); }

    // A panel of this version at the far end of COM 8, the link open, the connected flag set
    // and the version word in the store, as the main window's download leaves it.
    sim::PtyPanel& Connect(unsigned version = 410) {
        panel_ = std::make_unique<sim::PtyPanel>();
        panel_->setSoftwareVersion(version);
        panel_->linkAsComPort(kPort);
        EXPECT_NE(OpenCommPort(kPort, 9600, 1), 0);
        Flags().connected = true;
        StoreSlot(10, 67) = panel_->getRegister(10, 67);
        ResetRequestTotals();
        return *panel_;
    }

    std::vector<std::string> SeenText() const {
        panel_->waitForRequests(RequestTotals().requests, std::chrono::seconds(10));
        return Describe(panel_->requests());
    }
    void Forget() {
        SeenText();
        panel_->clearRequests();
        ResetRequestTotals();
        prompts_.calls.clear();
    }

    // A user's pick: the form takes the item (or, for -1, typed text), then the page is told.
    void Choose(int id, const std::string& text) {
        ControlState& combo = page_.Form()[id];
        combo.selected = -1;
        for (std::size_t i = 0; i < combo.items.size(); ++i) {
            if (combo.items[i] == text) {
                combo.selected = static_cast<int>(i);
            }
        }
        combo.text = text;
        page_.OnSelectionChanged(id, prompts_);
    }
    std::string Text(int id) { return page_.Form()[id].text; }
    std::string Selected(int id) { return page_.Form()[id].SelectedText(); }
    static int QuickItem(int k) { return ids::logs::kQuickMenuItem1 + k - 1; }

    PrivatePortsFolder ports_;
    PrivateWorkingDir cwd_;
    FakeUserPrompts prompts_;
    CPPThree page_;
    std::unique_ptr<sim::PtyPanel> panel_;
};

}  // namespace testing_support
