#pragma once
// The Diag, Pwds and Alerts page over the real path: CPPFour + its form + scripted prompts +
// protocol + serial link + pseudo-terminal + simulated panel. Every process-wide state starts
// fresh.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "pages/kit/app_flags.h"
#include "pages/settings/diag_pwds_alerts_page.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"
#include "resources/ids/diag_pwds_alerts.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "tests/support/fake_user_prompts.h"
#include "tests/support/private_working_dir.h"
#include "tests/support/process_state.h"
#include "tests/support/pty_pair.h"
#include "tests/support/request_log.h"

namespace testing_support {

class DiagPageTest : public ::testing::Test {
  protected:
    static constexpr unsigned kPort = 8;

    void SetUp() override {
        ResetProcessState();
        prompts_.requestCounter = [] { return RequestTotals().requests; };
    }
    void TearDown() override { ResetProcessState(); }

    // A panel at the far end of COM 8, the link open and the connected flag set.
    sim::PtyPanel& Connect(unsigned version = 410) {
        panel_ = std::make_unique<sim::PtyPanel>();
        panel_->setSoftwareVersion(version);
        panel_->linkAsComPort(kPort);
        EXPECT_NE(OpenCommPort(kPort, 9600, 1), 0);
        Flags().connected = true;
        ResetRequestTotals();
        return *panel_;
    }

    std::vector<std::string> SeenText() const {
        panel_->waitForRequests(RequestTotals().requests, std::chrono::seconds(10));
        return Describe(panel_->requests());
    }
    void ForgetRequests() {
        SeenText();
        panel_->clearRequests();
        ResetRequestTotals();
        prompts_.calls.clear();
    }

    // A user's pick: the form takes it, then the page is told.
    void Choose(int id, const std::string& text) {
        ControlState& combo = page_.Form()[id];
        int index = -1;
        for (std::size_t i = 0; i < combo.items.size(); ++i) {
            index = combo.items[i] == text ? static_cast<int>(i) : index;
        }
        ASSERT_GE(index, 0) << text << " is not an item of " << id;
        combo.selected = index;
        combo.text = text;
        page_.OnSelectionChanged(id, prompts_);
    }
    void Type(int id, const std::string& text) {
        page_.Form()[id].text = text;
        page_.OnEditChanged(id);
    }
    std::string Text(int id) { return page_.Form()[id].text; }
    std::string Selected(int id) { return page_.Form()[id].SelectedText(); }
    uint16_t Panel(unsigned bank, unsigned reg) const { return panel_->getRegister(bank, reg); }

    PrivatePortsFolder ports_;
    PrivateWorkingDir cwd_;
    FakeUserPrompts prompts_;
    CPPFour page_;
    std::unique_ptr<sim::PtyPanel> panel_;
};

}  // namespace testing_support
