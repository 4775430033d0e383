#pragma once
// The main window's behaviour with scripted prompts, a private ports folder and a private
// working directory; every process-wide state starts fresh.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/connection_lists.h"
#include "app/main_window.h"
#include "pages/kit/app_flags.h"
#include "pages/kit/list_selection.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"
#include "resources/ids/configuration.h"
#include "resources/ids/diag_pwds_alerts.h"
#include "resources/ids/logs_quick_key.h"
#include "resources/ids/main_window.h"
#include "resources/ids/regulator_comm.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "tests/support/fake_user_prompts.h"
#include "tests/support/private_working_dir.h"
#include "tests/support/process_state.h"
#include "tests/support/pty_pair.h"
#include "tests/support/request_log.h"

namespace testing_support {

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing_support::ResetProcessState();
        // Missing-file box first; tests that care about start-up write their own file.
        WriteFile(kConnectionSettingsFile, "//VOLTSCOPE 5.0 Connection Settings\r\n,1,4,1,0");
    }
    void TearDown() override {
        CloseCommPort();
        ResetFlags();
        Protocol() = ProtocolSettings{};
    }

    // A panel linked as COM `port`, and the window pointed at it.
    sim::PtyPanel& StartPanel(unsigned port, unsigned version, sim::PtyPanelOptions options = {}) {
        panel_ = std::make_unique<sim::PtyPanel>(options);
        panel_->setSoftwareVersion(version);
        panel_->linkAsComPort(port);
        // The tool's own count: the panel may log a request a moment after it answered it.
        prompts_.requestCounter = [] { return RequestTotals().requests; };
        return *panel_;
    }

    // Every request the tool sent, once the panel has logged them all.
    std::vector<sim::Request> SeenByPanel() const {
        panel_->waitForRequests(RequestTotals().requests, std::chrono::seconds(10));
        return panel_->requests();
    }

    // The bytes the panel received, once the last of them is the 0x00 of a port closing.
    std::vector<std::uint8_t> BytesAfterClose() const {
        for (int i = 0; i < 1000; ++i) {
            auto bytes = panel_->receivedBytes();
            if (!bytes.empty() && bytes.back() == 0x00) {
                return bytes;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return panel_->receivedBytes();
    }

    void Choose(int controlId, const std::string& text) {
        ASSERT_TRUE(SelectByPrefix(window_.Form()[controlId], text)) << text;
        window_.OnSelectionChanged(controlId);
    }

    void InitAndConnect(unsigned port) {
        window_.OnInitDialog();
        Choose(ids::window::kCommPort, PortName(static_cast<int>(port)));
        window_.OnConnectButton();
    }

    std::vector<std::string> TabCaptions() const {
        std::vector<std::string> captions;
        for (const Page* page : window_.Tabs()) {
            captions.push_back(page->Caption());
        }
        return captions;
    }

    PrivatePortsFolder ports_;
    PrivateWorkingDir cwd_;
    FakeUserPrompts prompts_;
    CRegToolDlg window_{prompts_};
    std::unique_ptr<sim::PtyPanel> panel_;
};

}  // namespace testing_support
