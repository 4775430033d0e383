#pragma once
// The Regulator and Comm page over the real path: CPPOneA + its form + scripted prompts +
// protocol + serial link + pseudo-terminal + simulated panel. Every process-wide state starts
// fresh.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "pages/kit/app_flags.h"
#include "pages/settings/regulator_comm_fields.h"
#include "pages/settings/regulator_comm_page.h"
#include "protocol/block_tables.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "tests/support/fake_user_prompts.h"
#include "tests/support/private_working_dir.h"
#include "tests/support/process_state.h"
#include "tests/support/pty_pair.h"
#include "tests/support/request_log.h"

namespace testing_support {

class RegulatorCommPageTest : public ::testing::Test {
  protected:
    static constexpr unsigned kPort = 8;

    void SetUp() override {
        ResetProcessState();
        prompts_.requestCounter = [] { return RequestTotals().requests; };
    }
    void TearDown() override { ResetProcessState(); }

    // A panel at the far end of COM 8, the link open and the connected flag set.
    sim::PtyPanel& Connect(sim::PtyPanelOptions options = {}) {
        panel_ = std::make_unique<sim::PtyPanel>(options);
        panel_->linkAsComPort(kPort);
        EXPECT_NE(OpenCommPort(kPort, 9600, 1), 0);
        Flags().connected = true;
        return *panel_;
    }

    // What the panel received since the last call, once it has logged every request.
    std::vector<std::string> Requests() {
        panel_->waitForRequests(RequestTotals().requests, std::chrono::seconds(10));
        std::vector<std::string> seen = Describe(panel_->requests());
        panel_->clearRequests();
        ResetRequestTotals();
        return seen;
    }
    static std::vector<std::string> Table(const char* op, const RegisterBlock* blocks, int n) {
        std::vector<std::string> out;
        AppendTable(out, op, blocks, n);
        return out;
    }

    // A user's pick: the form takes it, then the page is told.
    void Choose(int id, const std::string& text) {
        ControlState& combo = page_.Form()[id];
        const auto it = std::find(combo.items.begin(), combo.items.end(), text);
        ASSERT_NE(it, combo.items.end()) << text << " is not an item of " << id;
        combo.Select(static_cast<int>(it - combo.items.begin()));
        page_.OnSelectionChanged(id, prompts_);
    }
    std::string Text(int id) { return page_.Form()[id].text; }

    PrivatePortsFolder ports_;
    PrivateWorkingDir cwd_;
    FakeUserPrompts prompts_;
    CPPOneA page_;
    std::unique_ptr<sim::PtyPanel> panel_;
};

}  // namespace testing_support
