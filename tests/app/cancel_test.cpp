// Long panel work under a progress window stops after the request in flight when the user
// cancels: what was not read counts as unread, nothing more is sent, no file is written, and
// the status line says how far the work got.
#include <filesystem>

#include "resources/ids/logs_quick_key.h"
#include "tests/app/main_window_fixture.h"

namespace {

using namespace testing_support;

class Cancelling : public MainWindowTest {
  protected:
    // Connect's download; with `cancelAt`, Cancel once the panel has seen that many requests.
    std::string Connect(std::optional<std::size_t> cancelAt = std::nullopt) {
        if (Flags().connected) {
            window_.OnConnectButton();  // Disconnect
        }
        StartPanel(5, 410);
        ResetRequestTotals();
        prompts_.cancelAtRequest = cancelAt;
        window_.OnInitDialog();
        Choose(ids::window::kCommPort, "05");
        window_.RunPanelAction([&] { window_.OnConnectButton(); });
        prompts_.cancelAtRequest.reset();
        return window_.Form()[ids::window::kStatusLine].text;
    }
};

TEST_F(Cancelling, ACancelledDownloadLeavesTheRestUnreadAndSaysHowFarItGot) {
    Connect();
    const uint64_t whole = RequestTotals().requests;
    const std::string status = Connect(10);
    EXPECT_EQ(SeenByPanel().size(), 10u);
    // The skipped requests are counted as the work would have made them: without their
    // values a few reads that depend on them are not asked for.
    const std::string head = "10 requests, 0 without reply; cancelled after 10 of ";
    ASSERT_EQ(status.substr(0, head.size()), head) << status;
    const uint64_t of = std::stoull(status.substr(head.size()));
    EXPECT_GT(of, whole - 10) << status;
    EXPECT_LE(of, whole) << status;
    EXPECT_TRUE(window_.Form()[ids::window::kIndicator].background == kAmber);
    // The Diag page was not read: its Set asks before it sends anything.
    prompts_.calls.clear();
    prompts_.answers = {PromptAnswer::kNo};
    window_.DiagPwdsAlerts().SetDiagnostics(prompts_);
    EXPECT_EQ(prompts_.Captions(), std::vector<std::string>{"INCOMPLETE DATA"});
}

TEST_F(Cancelling, ACancelledLogDownloadWritesNoFile) {
    Connect();
    panel_->clearRequests();
    ResetRequestTotals();
    prompts_.calls.clear();
    prompts_.fileNames = {std::string("logs.csv")};
    prompts_.cancelAtRequest = 5;
    window_.Logs().Form()[ids::logs::kEventsToDownload].text = "50";
    EXPECT_EQ(window_.Logs().ExportLogs(prompts_), ExportOutcome::kCancelled);
    EXPECT_EQ(SeenByPanel().size(), 5u);
    EXPECT_FALSE(std::filesystem::exists("logs.csv"));
    EXPECT_TRUE(prompts_.Boxes().empty());
    EXPECT_EQ(prompts_.OfKind("progress").size(), prompts_.OfKind("destroy").size());
}

TEST_F(Cancelling, ACancelledUploadAsksAndSendsNothingMore) {
    Connect();
    prompts_.fileNames = {std::string("panel.kz0")};
    window_.SaveConfigFile();
    window_.OnConnectButton();  // Disconnect
    prompts_.fileNames = {std::string("panel.kz0")};
    window_.OpenConfigFile();
    StartPanel(5, 410);
    ResetRequestTotals();
    prompts_.calls.clear();
    prompts_.answers.assign(8, PromptAnswer::kYes);
    prompts_.cancelAtRequest = 4;  // during the Configuration page's writes
    InitAndConnect(5);
    std::size_t confirmations = 0;
    for (const std::string& caption : prompts_.Captions()) {
        confirmations += caption == "CONFIRM SETTINGS" ? 1 : 0;
    }
    EXPECT_EQ(confirmations, 1u);
    EXPECT_EQ(SeenByPanel().size(), 4u);
}

}  // namespace
