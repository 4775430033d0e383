// "Set Config" and "Set Adv Cfg" against the simulated panel: conversions and replacements of
// the typed numbers, memo filtering, the confirmation, the read-back, and store-only mode.
#include "protocol/block_tables.h"
#include "tests/pages/configuration_page_fixture.h"

namespace {

using namespace testing_support;

struct Typed {
    int id;
    std::string text;
    unsigned bank;
    unsigned reg;
    uint16_t sent;
    std::string shownAfter;
};

class SetConfiguration : public ConfigurationPageTest {
  protected:
    void SetUp() override {
        ConfigurationPageTest::SetUp();
        Connect();
        page_.GetCfgAndAdvCfg(prompts_);
        ForgetRequests();
    }
    void SendTyped(const std::vector<Typed>& typed) {
        for (const Typed& t : typed) {
            Type(t.id, t.text);
        }
        prompts_.answers = {PromptAnswer::kYes};
        page_.SetConfig(prompts_);
        for (const Typed& t : typed) {
            EXPECT_EQ(panel_->getRegister(t.bank, t.reg), t.sent) << t.text;
            EXPECT_EQ(Text(t.id), t.shownAfter) << t.text;
        }
    }
};

TEST_F(SetConfiguration, TypedNumbersOutsideTheirRangeAreReplacedSilently) {
    SendTyped({
        {ids::config::kU2PtPrimary, "70000", 10, 5, 7200, "7200"},
        {ids::config::kU2PtSecondary, "99", 10, 6, 120, "120"},
        {ids::config::kP2PtPrimary, "1500", 10, 7, 1500, "1500"},
        {ids::config::kP2PtSecondary, "150", 10, 8, 150, "150"},
        {ids::config::kCtPrimary, "abc", 2, 2, 200, "200"},
        {ids::config::kCtSecondary, "0.05", 10, 9, 200, "0.2"},
        {ids::config::kFullLoadCurrent, "7201", 10, 122, 200, "200"},
        {ids::config::kNeutralOverrun, "3.5", 10, 190, 20, "2.0"},
    });
    EXPECT_EQ(prompts_.Captions(), (std::vector<std::string>{"CONFIRM SETTINGS"}));
}

TEST_F(SetConfiguration, TypedNumbersInsideTheirRangeAreSentAsTyped) {
    SendTyped({
        {ids::config::kU2PtPrimary, "65000", 10, 5, 65000, "65000"},
        {ids::config::kU2PtSecondary, "100", 10, 6, 100, "100"},
        {ids::config::kP2PtPrimary, "-7200", 10, 7, 7200, "7200"},
        {ids::config::kP2PtSecondary, "151", 10, 8, 120, "120"},
        {ids::config::kCtPrimary, "50", 2, 2, 50, "50"},
        {ids::config::kCtSecondary, "0.25", 10, 9, 250, "0.25"},
        {ids::config::kFullLoadCurrent, " 50A", 10, 122, 50, "50"},
        {ids::config::kNeutralOverrun, "1.5", 10, 190, 15, "1.5"},
    });
}

TEST_F(SetConfiguration, ACtSecondaryBeyondTheRegisterIsReplacedNotWrapped) {
    SendTyped({
        {ids::config::kCtSecondary, "70", 10, 9, 200, "0.2"},  // 70000 would arrive as 4464
        {ids::config::kNeutralOverrun, "-0.1", 10, 190, 20, "2.0"},
        {ids::config::kU2PtPrimary, "99999999999999999999", 10, 5, 7200, "7200"},
    });
    SendTyped({{ids::config::kCtSecondary, "65.535", 10, 9, 65535, "65.535"},
               {ids::config::kNeutralOverrun, "0", 10, 190, 0, "0.0"}});
}

TEST_F(SetConfiguration, MemosAreFilteredCutAndPackedUpToTheirEnd) {
    Type(ids::config::kMemo1, "ab%c");
    Type(ids::config::kMemo2, "hello world!");
    prompts_.answers = {PromptAnswer::kYes};
    page_.SetConfig(prompts_);
    EXPECT_EQ(PanelRegisters(10, 30, 5),
              (std::vector<uint16_t>{'A' << 8 | 'B', ' ' << 8 | 'C', 0, 0, 0}));
    EXPECT_EQ(PanelRegisters(10, 35, 5),
              (std::vector<uint16_t>{'H' << 8 | 'E', 'L' << 8 | 'L', 'O' << 8 | ' ', 'W' << 8 | 'O',
                                     'R' << 8 | 'L'}));
    EXPECT_EQ(Text(ids::config::kMemo1), "AB C");
    EXPECT_EQ(Text(ids::config::kMemo2), "HELLO WORL");

    Type(ids::config::kMemo1, "");
    prompts_.answers = {PromptAnswer::kYes};
    page_.SetConfig(prompts_);
    EXPECT_EQ(PanelRegisters(10, 30, 5), (std::vector<uint16_t>(5, 0)));
    EXPECT_EQ(Text(ids::config::kMemo1), "");
}

TEST_F(SetConfiguration, YesWritesFifteenBlocksAndReadsThemBack) {
    prompts_.answers = {PromptAnswer::kYes};
    page_.SetConfig(prompts_);
    std::vector<std::string> expected = {"R 10/120x1"};
    AppendTable(expected, "W", kConfigurationBlockTable, kConfigurationWriteBlocks);
    AppendTable(expected, "R", kConfigurationBlockTable, kConfigurationShortReadBlocks);
    AppendTable(expected, "R", kConfigurationBlockTable, kConfigurationReadBlocks);
    EXPECT_EQ(SeenText(), expected);
    EXPECT_EQ(prompts_.Boxes()[0].text, "No Change in Tap Changer Type Sensed");
    EXPECT_EQ(prompts_.waitDepth, 0);
}

TEST_F(SetConfiguration, NoWritesNothingButStillReadsBack) {
    const auto before = PanelRegisters(10, 5, 4);
    Type(ids::config::kU2PtPrimary, "13800");
    prompts_.answers = {PromptAnswer::kNo};
    page_.SetConfig(prompts_);
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ(PanelRegisters(10, 5, 4), before);
    EXPECT_EQ(Text(ids::config::kU2PtPrimary),
              std::to_string(before[0]));  // the read-back shows it

    ForgetRequests();
    prompts_.answers = {PromptAnswer::kNo};
    page_.SetAdvConfig(prompts_);
    std::vector<std::string> expected;
    AppendTable(expected, "R", kAdvancedConfigurationBlockTable, kAdvancedConfigurationReadBlocks);
    EXPECT_EQ(SeenText(), expected);
    EXPECT_EQ(prompts_.Boxes().back().text, "<ADV CFG> Settings");
}

TEST_F(SetConfiguration, GetEditSetLeavesThePanelHoldingWhatThePageShows) {
    Choose(ids::config::kRegulatorType, "INVERTED");
    Choose(ids::config::kSystemConnection, "DELTA LAG");
    Choose(ids::config::kPowerFlow, "BI-DIR");
    Choose(ids::config::kBasisVolts, "125");
    Choose(ids::config::kMeterVolts, "PRI");
    Choose(ids::config::kDemandType, "SlidWindow");
    Choose(ids::config::kLowerLimit, "5%");
    Choose(ids::config::kAlertSystemStatus, "N");
    Type(ids::config::kU2PtPrimary, "13800");
    Type(ids::config::kCtSecondary, "0.2");
    Type(ids::config::kMemo1, "sub 7");
    Type(ids::config::kCurrentShift, "30");
    Type(ids::config::kDemandTime, "30");
    Type(ids::config::kQuickDisplayTime, "9");
    prompts_.answers = {PromptAnswer::kYes, PromptAnswer::kYes};
    page_.SetCfgAndAdvCfg(prompts_);
    EXPECT_EQ(prompts_.waitDepth, 0);

    // A page that never saw these edits reads the panel and shows the same.
    CPPOne fresh;
    fresh.GetCfgAndAdvCfg(prompts_);
    for (int id : page_.Form().Ids()) {
        EXPECT_EQ(fresh.Form()[id].text, page_.Form()[id].text) << id;
        EXPECT_EQ(fresh.Form()[id].selected, page_.Form()[id].selected) << id;
    }
    EXPECT_EQ(panel_->getRegister(10, 1), 1);
    EXPECT_EQ(panel_->getRegister(2, 11), 3);
    EXPECT_EQ(panel_->getRegister(10, 3), 0);
    EXPECT_EQ(panel_->getRegister(10, 137), 4);
    EXPECT_EQ(panel_->getRegister(10, 178) & 1, 0);
    EXPECT_EQ(panel_->getRegister(2, 1), 300);
    EXPECT_EQ(panel_->getRegister(10, 4), 30);
    EXPECT_EQ(Text(ids::config::kMemo1), "SUB 7");
    EXPECT_EQ(Text(ids::config::kCtSecondary), "0.2");
    // The version word and register 0 are never written.
    for (const auto& w : Writes()) {
        EXPECT_FALSE(w.bank == 10 && w.start <= 67 && 67 < w.start + w.count) << Describe(w);
        EXPECT_FALSE(w.bank == 10 && w.start == 0) << Describe(w);
    }
}

TEST_F(SetConfiguration, AdvancedYesWritesTwentySixBlocksWithTheClockAsStored) {
    StoreSlot(10, 16) = 26793;
    StoreSlot(10, 17) = 10863;
    Type(ids::config::kPtThreshold, "-3");
    prompts_.answers = {PromptAnswer::kYes};
    page_.SetAdvConfig(prompts_);
    std::vector<std::string> expected;
    AppendTable(expected, "W", kAdvancedConfigurationBlockTable, kAdvancedConfigurationWriteBlocks);
    AppendTable(expected, "R", kAdvancedConfigurationBlockTable, kAdvancedConfigurationReadBlocks);
    EXPECT_EQ(SeenText(), expected);
    EXPECT_EQ(PanelRegisters(10, 16, 2), (std::vector<uint16_t>{26793, 10863}));
    EXPECT_EQ(panel_->getRegister(10, 10), 65533);  // -3 as the panel's signed word
    EXPECT_EQ(Text(ids::config::kPanelTime), "13:05:09");
}

TEST_F(ConfigurationPageTest, StoreOnlySetConvertsIntoTheStoreAndSendsNothing) {
    Connect();
    Flags().storeOnly = true;
    Type(ids::config::kU2PtPrimary, "70000");
    Type(ids::config::kCtSecondary, "0.25");
    Type(ids::config::kMemo2, "x@y");
    Type(ids::config::kQuickTimeout, "12");
    page_.SetCfgAndAdvCfg(prompts_);
    EXPECT_EQ(StoreSlot(10, 5), 7200);
    EXPECT_EQ(StoreSlot(10, 6), 120);  // the empty secondary is replaced too
    EXPECT_EQ(StoreSlot(10, 9), 250);
    EXPECT_EQ(StoreSlot(10, 35), 'X' << 8 | ' ');
    EXPECT_EQ(StoreSlot(10, 36), 'Y' << 8);
    EXPECT_EQ(StoreSlot(10, 177), 12);
    EXPECT_EQ(Text(ids::config::kMemo2), "X Y");
    EXPECT_TRUE(prompts_.Boxes().empty());
    EXPECT_TRUE(Seen().empty());
}

TEST_F(ConfigurationPageTest, SetWithoutConnectionConvertsFirstThenSaysNotConnected) {
    Type(ids::config::kU2PtSecondary, "99");
    page_.SetConfig(prompts_);
    EXPECT_EQ(StoreSlot(10, 6), 120);
    EXPECT_EQ(prompts_.Captions(), (std::vector<std::string>{"NOT CONNECTED"}));
    EXPECT_EQ(RequestTotals().requests, 0u);
}

TEST_F(ConfigurationPageTest, ResetMinMaxAsksAndSendsTheTwoResets) {
    Connect();
    prompts_.answers = {PromptAnswer::kNo};
    page_.OnCommand(ids::config::kResetMinMax, prompts_);
    EXPECT_TRUE(Seen().empty());
    ASSERT_EQ(prompts_.Boxes().size(), 1u);
    EXPECT_EQ(prompts_.Boxes()[0].caption, "RESET MIN MAX VALUES");
    EXPECT_EQ(prompts_.Boxes()[0].text,
              "This Will Reset Meter, Fwd Demand and Rev Demand and Tap Position Min Max "
              "Values\n Are You you want to Continue?");
    EXPECT_EQ(prompts_.Boxes()[0].defaultButton, PromptAnswer::kNo);

    prompts_.answers = {PromptAnswer::kYes};
    page_.OnCommand(ids::config::kResetMinMax, prompts_);
    EXPECT_EQ(SeenText(), (std::vector<std::string>{"X 8/0x1", "X 3/0x1"}));
}

}  // namespace
