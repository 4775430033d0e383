// The page's Refresh, Set Total Ops and Reset Min Max against the simulated panel: how each
// kind of word is shown, where the reset date takes its date order, what the two writes send.
#include "protocol/value_store.h"
#include "tests/pages/metering_page_fixture.h"

namespace {

using namespace testing_support;
namespace id = ids::metering;

struct Shown {
    unsigned bank, reg;
    std::vector<uint16_t> words;  // from reg on
    int field;
    const char* text;
};

TEST_F(MeteringPageTest, EachKindOfWordIsShownByItsFormat) {
    const Shown cases[] = {
        {1, 2, {1205}, id::kVld, "120.5"},  // unsigned tenths
        {1, 2, {0}, id::kVld, "0.0"},
        {1, 2, {65535}, id::kVld, "6553.5"},  // never negative
        {3, 4, {65535}, id::kFwdVld, "6553.5"},
        {1, 26, {600}, id::kFreq, "60.0"},  // frequency
        {1, 1, {65535}, id::kIld, "-1"},    // signed
        {1, 9, {65088}, id::kKvar, "-448"},
        {1, 11, {95}, id::kPf, "95"},  // power factor as the raw word
        {8, 119, {95}, id::kPfMin, "95"},
        {9, 3, {1, 2}, id::kTotalOps, "131073"},  // double word: low, then high
        {9, 19, {65535, 65535}, id::kOpsYtd, "4294967295"},
        {8, 167, {65533}, id::kTapMin, "-3"},
    };
    auto& panel = Connect();
    for (const Shown& c : cases) {
        for (std::size_t i = 0; i < c.words.size(); ++i) {
            panel.setRegister(c.bank, c.reg + static_cast<unsigned>(i), c.words[i]);
        }
        page_.RefreshMeter(prompts_);
        page_.RefreshDemand(prompts_);
        page_.RefreshCounters(prompts_);
        EXPECT_EQ(Text(c.field), c.text) << c.bank << "/" << c.reg;
    }
    // The power-factor rows of the demand have no Min and Max.
    EXPECT_EQ(Text(id::kFwdPfKvaMaxMin), "");
    EXPECT_EQ(Text(id::kRevPfKvaMinMax), "");
}

TEST_F(MeteringPageTest, TheResetDateTakesTheDateOrderReadJustBeforeIt) {
    auto& panel = Connect();
    panel.setRegister(9, 7, 10863);  // 15 March 2011
    panel.setRegister(9, 8, 26793);  // 13:05:09
    const std::pair<uint16_t, const char*> orders[] = {
        {0, "03/15/2011"}, {1, "15/03/2011"}, {2, "2011/03/15"}, {3, ""}};
    StoreSlot(10, 11) = 2;  // a pick on the Configuration page, not sent yet
    for (const auto& [order, date] : orders) {
        panel.setRegister(10, 11, order);
        page_.RefreshCounters(prompts_);
        EXPECT_EQ(Text(id::kResetDate), date);
        EXPECT_EQ(Text(id::kResetTime), "13:05:09");
        EXPECT_EQ(SeenText().back(), "R 10/11x1");
    }
    EXPECT_EQ(StoreSlot(10, 11), 2);
}

struct TotalOps {
    const char* typed;
    uint16_t low, high;
};

TEST_F(MeteringPageTest, SetTotalOpsSplitsTheTypedNumberIntoLowAndHighWords) {
    const TotalOps cases[] = {{"70000", 4464, 1}, {"abc", 0, 0}, {"  +123456x", 57920, 1}};
    auto& panel = Connect();
    for (const TotalOps& c : cases) {
        ForgetRequests();
        page_.Form()[id::kTotalOps].text = c.typed;
        page_.OnEditChanged(id::kTotalOps);
        prompts_.answers = {PromptAnswer::kYes};
        page_.OnCommand(id::kSetTotalOps, prompts_);
        ASSERT_EQ(prompts_.Boxes().size(), 1u);
        EXPECT_EQ(prompts_.Boxes()[0].text, "Write Total Ops?");
        EXPECT_EQ(prompts_.Boxes()[0].caption, "CONFIRM SETTINGS");
        EXPECT_EQ(prompts_.Boxes()[0].defaultButton, PromptAnswer::kNo);
        EXPECT_EQ(SeenText(), std::vector<std::string>{"W 9/3x2"});
        EXPECT_EQ(panel.getRegister(9, 3), c.low) << c.typed;
        EXPECT_EQ(panel.getRegister(9, 4), c.high) << c.typed;
    }
    ForgetRequests();
    prompts_.answers = {PromptAnswer::kNo};
    page_.OnCommand(id::kSetTotalOps, prompts_);
    EXPECT_TRUE(SeenText().empty());
}

TEST_F(MeteringPageTest, ResetMinMaxAsksThenResetsBank8ThenBank3) {
    Connect();
    prompts_.answers = {PromptAnswer::kNo};
    page_.OnCommand(id::kResetMinMax, prompts_);
    EXPECT_TRUE(SeenText().empty());
    prompts_.answers = {PromptAnswer::kYes};
    page_.OnCommand(id::kResetMinMax, prompts_);
    EXPECT_EQ(SeenText(), (std::vector<std::string>{"X 8/0x1", "X 3/0x1"}));
    ASSERT_EQ(prompts_.Captions(), (std::vector<std::string>(2, "RESET MIN MAX VALUES")));
}

TEST_F(MeteringPageTest, RefreshesRefuseWithoutAConnection) {
    for (int button : {id::kRefreshMeter, id::kRefreshDemand, id::kRefreshCounters,
                       id::kDownloadMetering, id::kDownloadHarmonics}) {
        page_.OnCommand(button, prompts_);
    }
    EXPECT_EQ(prompts_.Captions(), std::vector<std::string>(5, "NOT CONNECTED"));
    EXPECT_EQ(RequestTotals().requests, 0u);
}

}  // namespace
