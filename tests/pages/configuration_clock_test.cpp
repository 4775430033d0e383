// "Sync PC Date n Time": the question, the three writes and their read-back, and the packed
// words the panel receives for a fixed PC time.
#include "protocol/packed_time.h"
#include "tests/pages/configuration_page_fixture.h"
#include "tests/support/local_time.h"

namespace {

using namespace testing_support;

std::tm PcTime(int year, int month, int day, int hour, int minute, int second) {
    return LocalTime(year, month, day, hour, minute, second);
}

class ClockSync : public ConfigurationPageTest {
  protected:
    void SyncAt(const std::tm& now, PromptAnswer answer = PromptAnswer::kYes) {
        page_.SetClock([now] { return now; });
        prompts_.answers = {answer};
        page_.SyncPanelClock(prompts_);
    }
};

TEST_F(ClockSync, WritesTimeDateOrderAndDaylightSavingThenReadsThemBack) {
    auto& panel = Connect();
    panel.setRegister(10, 11, 1);   // D/M/Y
    panel.setRegister(10, 202, 1);  // daylight saving on
    page_.GetAdvConfig(prompts_);
    ForgetRequests();

    SyncAt(PcTime(2011, 3, 15, 13, 5, 9));
    ASSERT_EQ(prompts_.Boxes().size(), 1u);
    const MessageBoxRequest question = prompts_.Boxes()[0];
    EXPECT_EQ(question.text,
              "Do you wish to set the Control Panel date and time to the current date and time?");
    EXPECT_EQ(question.caption, "SET TIME & DATE");
    EXPECT_EQ(question.defaultButton, PromptAnswer::kNo);

    const auto seen = Seen();
    EXPECT_EQ(Describe(seen), (std::vector<std::string>{"W 10/16x2", "W 10/11x1", "W 10/202x1",
                                                        "R 10/16x2", "R 10/11x1", "R 10/202x1"}));
    ASSERT_EQ(seen.size(), 6u);
    const uint16_t time = 13 * 2048 + 5 * 32 + 9;
    const uint16_t date = (2011 - 1990) * 512 + 3 * 32 + 15;
    EXPECT_EQ(seen[0].data, (std::vector<uint16_t>{time, date}));
    EXPECT_EQ(seen[1].data, (std::vector<uint16_t>{1}));
    EXPECT_EQ(seen[2].data, (std::vector<uint16_t>{1}));
    EXPECT_EQ(PanelRegisters(10, 16, 2), (std::vector<uint16_t>{time, date}));
    EXPECT_EQ(Text(ids::config::kPanelTime), "13:05:09");
    EXPECT_EQ(Text(ids::config::kPanelDate), "15/03/2011");
    EXPECT_EQ(prompts_.waitDepth, 0);
}

TEST_F(ClockSync, ASecondBeyondThirtyOneIsSentAsThirtyOneKeepingHourAndMinute) {
    Connect();
    page_.GetAdvConfig(prompts_);
    for (int second : {31, 32, 45, 59}) {
        SyncAt(PcTime(2026, 12, 7, 23, 59, second));
        EXPECT_EQ(panel_->getRegister(10, 16), 23 * 2048 + 59 * 32 + 31) << second;
        EXPECT_EQ(Text(ids::config::kPanelTime), "23:59:31") << second;
    }
}

TEST_F(ClockSync, AnsweredNoDoesNothingEvenWithoutConnection) {
    SyncAt(PcTime(2011, 3, 15, 13, 5, 9), PromptAnswer::kNo);
    EXPECT_EQ(prompts_.Captions(), (std::vector<std::string>{"SET TIME & DATE"}));
    EXPECT_EQ(Text(ids::config::kPanelTime), "");
    EXPECT_EQ(RequestTotals().requests, 0u);

    prompts_.calls.clear();
    SyncAt(PcTime(2011, 3, 15, 13, 5, 9), PromptAnswer::kYes);
    EXPECT_EQ(prompts_.Captions(), (std::vector<std::string>{"SET TIME & DATE", "NOT CONNECTED"}));
    EXPECT_EQ(StoreSlot(10, 16), 0);
}

TEST_F(ClockSync, ADateThePanelCannotHoldIsNotSent) {
    Connect();
    SyncAt(PcTime(2054, 1, 1, 0, 0, 0));
    EXPECT_EQ(prompts_.Captions(),
              (std::vector<std::string>{"SET TIME & DATE", "SET TIME & DATE"}));
    EXPECT_NE(prompts_.Boxes()[1].text.find("1990..2053"), std::string::npos);
    EXPECT_TRUE(Seen().empty());
    EXPECT_EQ(StoreSlot(10, 17), 0);
}

}  // namespace
