// The "<LOGS>" area against the simulated panel: "Refresh", the auto-adjust question, the
// clear choice and "Clear Logs".
#include "protocol/block_tables.h"
#include "tests/pages/logs_page_fixture.h"

namespace {

using namespace testing_support;
using namespace ids::logs;

TEST_F(LogsPageTest, RefreshReadsTheSetupThenBothCountsAndOffersTheDownload) {
    auto& panel = Connect();
    ASSERT_EQ(panel.getRegister(11, 4), 5);  // the simulator's events
    ASSERT_EQ(panel.getRegister(11, 0), 3);  // and intervals
    page_.RefreshCounts(prompts_);
    std::vector<std::string> expected;
    AppendTable(expected, "R", kLogSetupBlockTable, kLogSetupReadBlocks);
    expected.insert(expected.end(), {"R 11/0x1", "R 11/4x1"});
    EXPECT_EQ(SeenText(), expected);
    EXPECT_EQ(Text(kEventsAvailable), "5");
    EXPECT_EQ(Text(kIntervalsAvailable), "3");
    EXPECT_EQ(Text(kEventsToDownload), "5");
    EXPECT_EQ(Text(kIntervalsToDownload), "3");
    EXPECT_EQ(LogsState().downloadEvents, 5);
    EXPECT_EQ(LogsState().downloadIntervals, 3);
    EXPECT_EQ(page_.Form()[kDownloadLogs].visible, true);
    EXPECT_TRUE(prompts_.Boxes().empty());

    // What the log download will take: the quantities as typed, and the auto-adjust flag.
    page_.Form()[kEventsToDownload].text = "2";
    EXPECT_EQ(page_.TakeDownloadQuantities().events, 2);
    EXPECT_EQ(LogsState().downloadEvents, 2);
    EXPECT_TRUE(page_.AutoAdjustLogTime());
    page_.HideDownloadLogsButton();
    EXPECT_EQ(page_.Form()[kDownloadLogs].visible, false);
}

TEST_F(LogsPageTest, AutoAdjustAsksOnlyWhenTurnedOn) {
    struct Case {
        std::string pick;
        std::vector<PromptAnswer> answers;
        int flag;
        std::string shown;
    };
    const Case cases[] = {
        {"YES", {PromptAnswer::kNo}, 0, "NO"},
        {"YES", {PromptAnswer::kYes}, 1, "YES"},
        {"NO", {}, 0, "NO"},
    };
    for (const Case& c : cases) {
        prompts_.calls.clear();
        prompts_.answers.assign(c.answers.begin(), c.answers.end());
        Choose(kAutoAdjustLogTime, c.pick);
        EXPECT_EQ(LogsState().autoAdjustLogTime, c.flag) << c.pick;
        EXPECT_EQ(Selected(kAutoAdjustLogTime), c.shown) << c.pick;
        ASSERT_EQ(prompts_.Boxes().size(), c.answers.size()) << c.pick;
        for (const auto& box : prompts_.Boxes()) {
            EXPECT_EQ(box.text, "Would you like to Adjust log time to PC time ?");
            EXPECT_EQ(box.caption, "Auto adjust log time");
            EXPECT_EQ(box.defaultButton, PromptAnswer::kNo);
        }
    }
}

struct ClearCase {
    std::string pick;     // "" for text typed into the box
    PromptAnswer answer;  // to both questions, on the pick and on "Clear Logs"
    std::string caption;  // of the question, "" when none is asked
    std::string shownAfterPick;
    std::vector<std::string> clears;
};

TEST_F(LogsPageTest, ClearLogsSendsWhatTheChoiceWasConfirmedFor) {
    const ClearCase cases[] = {
        {"EVENT", PromptAnswer::kNo, "CLEAR ALL EVENT", "NONE", {}},
        {"EVENT", PromptAnswer::kYes, "CLEAR ALL EVENT", "EVENT", {"C 11/4x1"}},
        {"INTV", PromptAnswer::kYes, "CLEAR ALL INTERVALS", "INTV", {"C 11/40x1"}},
        {"BOTH",
         PromptAnswer::kYes,
         "CLEAR ALL Events and INTERVALS",
         "BOTH",
         {"C 11/4x1", "C 11/40x1"}},
        {"NONE", PromptAnswer::kYes, "", "NONE", {}},
        {"", PromptAnswer::kYes, "", "", {}},
    };
    for (const ClearCase& c : cases) {
        Connect();
        prompts_.calls.clear();
        const bool asks = !c.caption.empty();
        prompts_.answers.assign(asks ? 1 : 0, c.answer);
        ChooseOrType(kClearChoice, c.pick);
        EXPECT_EQ(Selected(kClearChoice), c.shownAfterPick) << c.pick;
        // "Clear Logs" asks again, unless the No above already chose "NONE".
        const bool asksAgain = asks && c.answer == PromptAnswer::kYes;
        prompts_.answers.assign(asksAgain ? 1 : 0, c.answer);
        page_.ClearLogs(prompts_);

        std::vector<std::string> clears;
        for (const std::string& r : SeenText()) {
            if (r[0] == 'C') {
                clears.push_back(r);
            }
        }
        EXPECT_EQ(clears, c.clears) << c.pick;
        EXPECT_EQ(SeenText().back(), "R 11/4x1") << c.pick;  // then the counts, refreshed
        const bool eventsCleared = c.pick == "EVENT" || c.pick == "BOTH";
        const bool intervalsCleared = c.pick == "INTV" || c.pick == "BOTH";
        EXPECT_EQ(Text(kEventsAvailable), eventsCleared && asksAgain ? "0" : "5") << c.pick;
        EXPECT_EQ(Text(kIntervalsAvailable), intervalsCleared && asksAgain ? "0" : "3") << c.pick;
        const auto boxes = prompts_.Boxes();
        ASSERT_EQ(boxes.size(), (asks ? 1u : 0u) + (asksAgain ? 1u : 0u)) << c.pick;
        for (const auto& box : boxes) {
            EXPECT_EQ(box.caption, c.caption);
            EXPECT_EQ(box.defaultButton, PromptAnswer::kNo);
        }
        CloseCommPort();
    }
}

TEST_F(LogsPageTest, EveryPanelActionRefusesWithoutAConnection) {
    for (int button : {kGetLogSetup, kSetLogSetup, kRefresh, kClearLogs, kDownloadLogs,
                       kGetQuickMenu, kSetQuickMenu, kClearQuickMenu, kDefaultQuickMenu}) {
        prompts_.calls.clear();
        page_.OnCommand(button, prompts_);
        ASSERT_EQ(prompts_.Boxes().size(), 1u) << button;
        EXPECT_EQ(prompts_.Boxes()[0].text, "PLEASE CHECK CONNECTION") << button;
        EXPECT_EQ(prompts_.Boxes()[0].caption, "NOT CONNECTED") << button;
    }
    EXPECT_EQ(RequestTotals().requests, 0u);
}

}  // namespace
