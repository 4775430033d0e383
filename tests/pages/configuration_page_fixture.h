#pragma once
// The Configuration page over the real path: CPPOne + its form + scripted prompts + protocol +
// serial link + pseudo-terminal + simulated panel. Every process-wide state starts fresh.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "pages/kit/app_flags.h"
#include "pages/settings/configuration_page.h"
#include "pages/settings/tap_changer_defaults.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"
#include "resources/ids/configuration.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "tests/support/fake_user_prompts.h"
#include "tests/support/private_working_dir.h"
#include "tests/support/process_state.h"
#include "tests/support/pty_pair.h"
#include "tests/support/request_log.h"

namespace testing_support {

inline constexpr unsigned kPanelPort = 7;

class ConfigurationPageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing_support::ResetProcessState();
        prompts_.requestCounter = [] { return RequestTotals().requests; };
    }
    void TearDown() override {
        CloseCommPort();
        ResetFlags();
        ResetTapChangerFlags();
        Protocol() = ProtocolSettings{};
    }

    // A panel at the far end of COM 7, the link open and the connected flag set.
    sim::PtyPanel& Connect(unsigned version = 410, sim::PtyPanelOptions options = {}) {
        panel_ = std::make_unique<sim::PtyPanel>(options);
        panel_->setSoftwareVersion(version);
        panel_->linkAsComPort(kPanelPort);
        EXPECT_NE(OpenCommPort(kPanelPort, 9600, 1), 0);
        Flags().connected = true;
        ResetRequestTotals();  // counted against this panel's log
        return *panel_;
    }

    // Every request the tool sent, once the panel has logged them all.
    std::vector<sim::Request> Seen() const {
        panel_->waitForRequests(RequestTotals().requests, std::chrono::seconds(10));
        return panel_->requests();
    }
    std::vector<std::string> SeenText() const { return Describe(Seen()); }
    void ForgetRequests() {
        Seen();
        panel_->clearRequests();
        ResetRequestTotals();
    }
    std::vector<sim::Request> Writes() const {
        std::vector<sim::Request> writes;
        for (const auto& r : Seen()) {
            if (r.op == sim::Operation::kWrite) {
                writes.push_back(r);
            }
        }
        return writes;
    }

    // What a user's pick in a list does: the form takes it, then the page is told.
    void Choose(int id, const std::string& text) {
        ControlState& combo = page_.Form()[id];
        int index = -1;
        for (std::size_t i = 0; i < combo.items.size(); ++i) {
            if (combo.items[i] == text) {
                index = static_cast<int>(i);
            }
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

    std::vector<uint16_t> PanelRegisters(unsigned bank, unsigned start, unsigned count) const {
        std::vector<uint16_t> values;
        for (unsigned i = 0; i < count; ++i) {
            values.push_back(panel_->getRegister(bank, start + i));
        }
        return values;
    }

    PrivatePortsFolder ports_;
    PrivateWorkingDir cwd_;
    FakeUserPrompts prompts_;
    CPPOne page_;
    std::unique_ptr<sim::PtyPanel> panel_;
};

}  // namespace testing_support
