#pragma once
// The main window's behaviour with scripted prompts, a private ports folder and a private
// working directory; every process-wide state starts fresh.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/app_flags.h"
#include "app/connection_lists.h"
#include "app/main_window.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"
#include "resources/resource_ids.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "tests/app/fake_user_prompts.h"
#include "tests/app/private_working_dir.h"
#include "tests/support/process_state.h"
#include "tests/support/pty_pair.h"

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
        ASSERT_TRUE(window_.Form()[controlId].SelectString(text)) << text;
        window_.OnSelectionChanged(controlId);
    }

    void InitAndConnect(unsigned port) {
        window_.OnInitDialog();
        Choose(ids::kCommPort, PortName(static_cast<int>(port)));
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

// One request as the panel saw it: "R 10/67x1", "W 2/24x1".
inline std::string Describe(const sim::Request& r) {
    const char* op = r.op == sim::Operation::kRead    ? "R"
                     : r.op == sim::Operation::kWrite ? "W"
                     : r.op == sim::Operation::kClear ? "C"
                                                      : "X";
    return std::string(op) + " " + std::to_string(r.bank) + "/" + std::to_string(r.start) + "x" +
           std::to_string(r.count);
}

inline std::vector<std::string> Describe(const std::vector<sim::Request>& requests) {
    std::vector<std::string> out;
    for (const auto& r : requests) {
        out.push_back(Describe(r));
    }
    return out;
}

// The requests a table transfer makes, from the table itself.
inline void AppendTable(std::vector<std::string>& out, const char* op, const RegisterBlock* blocks,
                        int n) {
    for (int i = 0; i < n; ++i) {
        out.push_back(std::string(op) + " " + std::to_string(blocks[i].bank) + "/" +
                      std::to_string(blocks[i].start) + "x" + std::to_string(blocks[i].count));
    }
}

}  // namespace testing_support
