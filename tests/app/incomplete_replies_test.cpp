// A panel that stops answering some requests: the status line counts them, the indicator turns
// amber, and the page whose values went unread asks before it sends them.
#include "tests/app/main_window_fixture.h"

namespace {

using namespace testing_support;

bool IsFullLoadCurrentRead(const sim::Request& r) {
    return r.op == sim::Operation::kRead && r.bank == 10 && r.start == 122;
}

TEST_F(MainWindowTest, LostRepliesShowInTheStatusLineAndGuardTheNextSet) {
    auto& panel = StartPanel(5, 410);
    // The Connect download reads 10/122 once, with the whole configuration table.
    panel.injectFault(sim::Fault::Silence(), 1, IsFullLoadCurrentRead);
    window_.OnInitDialog();
    Choose(ids::window::kCommPort, "05");
    window_.RunPanelAction([&] { window_.OnConnectButton(); });
    const std::string status = window_.Form()[ids::window::kStatusLine].text;
    const std::string counts =
        std::to_string(RequestTotals().requests) + " requests, 1 without reply.";
    EXPECT_EQ(status.substr(0, counts.size()), counts) << status;
    EXPECT_NE(status.find("Last complete reply at "), std::string::npos) << status;
    EXPECT_TRUE(window_.Form()[ids::window::kIndicator].background == kAmber);

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

TEST_F(MainWindowTest, AReplyNotTakenCountsAsWithoutReply) {
    // Connect's first replies showed the function byte echoed; 10/122 then comes back without.
    auto& panel = StartPanel(5, 410);
    panel.injectFault(sim::Fault::NoEcho(0x00), 1, IsFullLoadCurrentRead);
    window_.OnInitDialog();
    Choose(ids::window::kCommPort, "05");
    window_.RunPanelAction([&] { window_.OnConnectButton(); });
    const std::string status = window_.Form()[ids::window::kStatusLine].text;
    const std::string counts =
        std::to_string(RequestTotals().requests) + " requests, 1 without reply.";
    EXPECT_EQ(status.substr(0, counts.size()), counts) << status;
    EXPECT_TRUE(window_.Form()[ids::window::kIndicator].background == kAmber);
    EXPECT_EQ(StoreSlot(10, 122), 0) << "nothing taken from it";

    prompts_.calls.clear();
    prompts_.answers = {PromptAnswer::kNo};
    window_.RunPanelAction([&] { window_.Configuration().SetConfig(prompts_); });
    ASSERT_EQ(prompts_.Boxes().size(), 1u);
    EXPECT_EQ(prompts_.Boxes()[0].caption, "INCOMPLETE DATA");
}

}  // namespace
