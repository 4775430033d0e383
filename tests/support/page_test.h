#pragma once
// A page over the real path: the page's behaviour + its form + scripted prompts + protocol +
// serial link + pseudo-terminal + simulated panel. Every process-wide state starts fresh and is
// left fresh. Each page's fixture adds only what is its own.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pages/kit/app_flags.h"
#include "pages/kit/form_model.h"
#include "pages/kit/list_selection.h"
#include "protocol/requests.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "tests/support/fake_user_prompts.h"
#include "tests/support/private_working_dir.h"
#include "tests/support/process_state.h"
#include "tests/support/pty_pair.h"
#include "tests/support/request_log.h"

namespace testing_support {

template <class P>
class PageTest : public ::testing::Test {
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
        ResetRequestTotals();  // counted against this panel's log
        return *panel_;
    }
    // The same with a panel of this software version (x 100).
    sim::PtyPanel& Connect(unsigned version, sim::PtyPanelOptions options = {}) {
        Connect(options).setSoftwareVersion(version);
        return *panel_;
    }

    // Every request the tool sent, once the panel has logged them all; none without a panel.
    std::vector<sim::Request> Seen() const {
        if (!panel_) {
            return {};
        }
        panel_->waitForRequests(RequestTotals().requests, std::chrono::seconds(10));
        return panel_->requests();
    }
    std::vector<std::string> SeenText() const { return Describe(Seen()); }
    std::vector<sim::Request> Writes() const {
        std::vector<sim::Request> writes;
        for (const auto& r : Seen()) {
            if (r.op == sim::Operation::kWrite) {
                writes.push_back(r);
            }
        }
        return writes;
    }
    // The values of each write, in order.
    std::vector<std::vector<uint16_t>> Written() const {
        std::vector<std::vector<uint16_t>> data;
        for (const auto& r : Writes()) {
            data.push_back(r.data);
        }
        return data;
    }
    // What the panel received since the last call; the boxes shown are kept.
    std::vector<std::string> TakeRequests() {
        std::vector<std::string> seen = SeenText();
        if (panel_) {
            panel_->clearRequests();
        }
        ResetRequestTotals();
        return seen;
    }
    // A clean slate for what comes next: no requests and no boxes.
    void ForgetRequests() {
        TakeRequests();
        prompts_.calls.clear();
    }

    // What a user's pick in a list does: the form takes it, then the page is told.
    void Choose(int id, const std::string& text) {
        ASSERT_GE(SelectItem(page_.Form()[id], text), 0) << text << " is not an item of " << id;
        page_.OnSelectionChanged(id, prompts_);
    }
    void Type(int id, const std::string& text) {
        page_.Form()[id].text = text;
        page_.OnEditChanged(id);
    }
    void Press(int id) { page_.OnCommand(id, prompts_); }
    std::string Text(int id) { return page_.Form()[id].text; }
    std::string Selected(int id) { return page_.Form()[id].SelectedText(); }

    uint16_t Panel(unsigned bank, unsigned reg) const { return panel_->getRegister(bank, reg); }
    std::vector<uint16_t> PanelRegisters(unsigned bank, unsigned start, unsigned count) const {
        std::vector<uint16_t> values;
        for (unsigned k = 0; k < count; ++k) {
            values.push_back(panel_->getRegister(bank, start + k));
        }
        return values;
    }
    void SetPanel(unsigned bank, unsigned start, const std::vector<uint16_t>& values) {
        for (std::size_t k = 0; k < values.size(); ++k) {
            panel_->setRegister(bank, start + static_cast<unsigned>(k), values[k]);
        }
    }

    PrivatePortsFolder ports_;
    PrivateWorkingDir cwd_;
    FakeUserPrompts prompts_;
    P page_;
    std::unique_ptr<sim::PtyPanel> panel_;
};

}  // namespace testing_support
