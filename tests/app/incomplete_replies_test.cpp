// A panel that stops answering some requests: the status line counts them, the indicator turns
// amber, and the page whose values went unread asks before it sends them.
#include <functional>
#include "pages/kit/list_selection.h"
#include "tests/app/main_window_fixture.h"

namespace {

using namespace testing_support;

bool IsFullLoadCurrentRead(const sim::Request& r) {
    return r.op == sim::Operation::kRead && r.bank == 10 && r.start == 122;
}

class LostReplies : public MainWindowTest {
  protected:
    // Connect's download with `fault` on its one read of 10/122 (with the configuration
    // table): the status line, checked to count that one request as without reply.
    std::string ConnectLosingFullLoadCurrent(const sim::Fault& fault) {
        StartPanel(5, 410).injectFault(fault, 1, IsFullLoadCurrentRead);
        window_.OnInitDialog();
        Choose(ids::window::kCommPort, "05");
        window_.RunPanelAction([&] { window_.OnConnectButton(); });
        const std::string status = window_.Form()[ids::window::kStatusLine].text;
        const std::string counts =
            std::to_string(RequestTotals().requests) + " requests, 1 without reply.";
        EXPECT_EQ(status.substr(0, counts.size()), counts) << status;
        EXPECT_TRUE(window_.Form()[ids::window::kIndicator].background == kAmber);
        return status;
    }
};

TEST_F(LostReplies, ShowInTheStatusLineAndGuardTheNextSet) {
    const std::string status = ConnectLosingFullLoadCurrent(sim::Fault::Silence());
    EXPECT_NE(status.find("Last complete reply at "), std::string::npos) << status;
    auto& panel = *panel_;

    // "Set Config" asks first and, answered No, sends nothing at all.
    SeenByPanel();
    panel.clearRequests();
    ResetRequestTotals();
    prompts_.calls.clear();
    prompts_.answers = {PromptAnswer::kNo};
    window_.RunPanelAction([&] { window_.Configuration().SetConfig(prompts_); });
    ASSERT_EQ(prompts_.Boxes().size(), 1u);
    const MessageBoxRequest box = prompts_.Boxes()[0];
    EXPECT_EQ(box.text,
              "Some values on this page were not read from the panel and show 0.\nSend them "
              "anyway?");
    EXPECT_EQ(box.caption, "INCOMPLETE DATA");
    EXPECT_EQ(box.buttons, PromptButtons::kYesNo);
    EXPECT_EQ(box.defaultButton, PromptAnswer::kNo);
    EXPECT_TRUE(SeenByPanel().empty());

    // A complete Get: the indicator is green again and Set goes straight to its confirmation.
    window_.RunPanelAction([&] { window_.Configuration().GetConfig(prompts_); });
    EXPECT_TRUE(window_.Form()[ids::window::kIndicator].background == kGreen);
    EXPECT_NE(window_.Form()[ids::window::kStatusLine].text.find(" 0 without reply."),
              std::string::npos);
    prompts_.calls.clear();
    prompts_.answers = {PromptAnswer::kNo};
    window_.Configuration().SetConfig(prompts_);
    ASSERT_FALSE(prompts_.Boxes().empty());
    EXPECT_EQ(prompts_.Boxes()[0].caption, "CONFIRM SETTINGS");
}

TEST_F(LostReplies, AReplyNotTakenCountsAsWithoutReply) {
    // Connect's first replies showed the function byte echoed; 10/122 then comes back without.
    ConnectLosingFullLoadCurrent(sim::Fault::NoEcho(0x00));
    EXPECT_EQ(StoreSlot(10, 122), 0) << "nothing taken from it";

    prompts_.calls.clear();
    prompts_.answers = {PromptAnswer::kNo};
    window_.RunPanelAction([&] { window_.Configuration().SetConfig(prompts_); });
    ASSERT_EQ(prompts_.Boxes().size(), 1u);
    EXPECT_EQ(prompts_.Boxes()[0].caption, "INCOMPLETE DATA");
}

}  // namespace

namespace {

using namespace testing_support;

// What a Set writes is guarded by where each register's value came from, whichever group read
// it, and a list sends the value it shows whatever a read has put into the store since.
TEST_F(MainWindowTest, EveryWrittenRegisterIsGuardedAndListsSendWhatTheyShow) {
    struct Scenario {
        const char* what;
        std::function<bool(const sim::Request&)> lost;  // reads whose reply is lost
        std::function<void(CRegToolDlg&, UserPrompts&)> between;
        std::function<void(CRegToolDlg&, UserPrompts&)> set;
        const char* firstBox;
        unsigned bank, reg;
        int sent;  // -1: nothing written
    };
    auto reads = [](unsigned bank, unsigned reg) {
        return [=](const sim::Request& r) {
            return r.op == sim::Operation::kRead && r.bank == bank && r.start <= reg &&
                   reg < r.start + r.count;
        };
    };
    const Scenario scenarios[] = {
        {"2/24 lost by Get Set Point", reads(2, 24),
         [](CRegToolDlg& w, UserPrompts& p) { w.RegulatorComm().GetSetPointConfig(p); },
         [](CRegToolDlg& w, UserPrompts& p) { w.RegulatorComm().SetRegConfig(p); },
         "INCOMPLETE DATA", 2, 24, -1},
        {"11/199 lost by Get Diagnostics", reads(11, 199),
         [](CRegToolDlg& w, UserPrompts& p) { w.DiagPwdsAlerts().GetDiagnostics(p); },
         [](CRegToolDlg& w, UserPrompts& p) { w.DiagPwdsAlerts().SetPasswords(p); },
         "CONFIRM SETTINGS", 11, 199, 0x803},
        {"10/11 lost by Get Active Alerts", reads(10, 11),
         [](CRegToolDlg& w, UserPrompts& p) { w.DiagPwdsAlerts().GetActiveAlerts(p); },
         [](CRegToolDlg& w, UserPrompts& p) { w.Configuration().SetAdvConfig(p); },
         "CONFIRM SETTINGS", 10, 11, 1},
        {"an On/Off pick, then Set Diag and Pwds",
         {},
         [](CRegToolDlg& w, UserPrompts& p) {
             ControlState& list = w.DiagPwdsAlerts().Form()[ids::diag::kFirstOnOff];
             SelectItem(list, "OFF");
             w.DiagPwdsAlerts().OnSelectionChanged(ids::diag::kFirstOnOff, p);
         },
         [](CRegToolDlg& w, UserPrompts& p) { w.DiagPwdsAlerts().SetDiagAndPwds(p); },
         "CONFIRM SETTINGS",
         11,
         199,
         0x802},
    };
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.what);
        if (Flags().connected) {
            window_.OnConnectButton();  // Disconnect
        }
        auto& panel = StartPanel(5, 410);
        panel.setRegister(11, 199, 0x803);
        panel.setRegister(10, 11, 1);
        ResetRequestTotals();
        InitAndConnect(5);
        if (s.lost) {
            // A length byte of 0: a broken reply that costs no wait.
            panel.injectFault(sim::Fault::BadLength(0), 0, s.lost);
        }
        s.between(window_, prompts_);
        panel.clearFaults();
        panel.clearRequests();
        ResetRequestTotals();
        prompts_.calls.clear();
        prompts_.answers = {PromptAnswer::kNo};
        if (s.sent >= 0) {
            prompts_.answers.assign(4, PromptAnswer::kYes);
        }
        s.set(window_, prompts_);
        ASSERT_FALSE(prompts_.Boxes().empty());
        EXPECT_EQ(prompts_.Boxes()[0].caption, s.firstBox);
        int written = -1;
        for (const sim::Request& r : SeenByPanel()) {
            if (r.op == sim::Operation::kWrite && r.bank == s.bank && r.start <= s.reg &&
                s.reg < r.start + r.data.size()) {
                written = r.data[s.reg - r.start];
            }
        }
        EXPECT_EQ(written, s.sent);
    }
}

}  // namespace
