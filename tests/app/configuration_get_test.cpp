// "Get Config" and " Get Adv Cfg" against the simulated panel: what is read, in which order,
// and how the store is shown: scaled fields, memos, the software version, lists whose values
// are not in item order, and the fields that only some panel models show.
#include "protocol/block_tables.h"
#include "protocol/packed_time.h"
#include "tests/app/configuration_page_fixture.h"

namespace {

using namespace testing_support;

TEST_F(ConfigurationPageTest, GetReadsTheFirstEightBlocksThenTheWholeTablesInOrder) {
    Connect();
    page_.GetCfgAndAdvCfg(prompts_);
    std::vector<std::string> expected;
    AppendTable(expected, "R", kConfigurationBlockTable, kConfigurationShortReadBlocks);
    AppendTable(expected, "R", kConfigurationBlockTable, kConfigurationReadBlocks);
    AppendTable(expected, "R", kAdvancedConfigurationBlockTable, kAdvancedConfigurationReadBlocks);
    EXPECT_EQ(SeenText(), expected);
    EXPECT_TRUE(prompts_.Boxes().empty());
    EXPECT_EQ(prompts_.waitDepth, 0);
    ASSERT_FALSE(prompts_.calls.empty());
    EXPECT_EQ(prompts_.calls.front().kind, "wait+");
    EXPECT_EQ(prompts_.calls.back().kind, "wait-");
}

TEST_F(ConfigurationPageTest, GetShowsThePanelsConfiguration) {
    auto& panel = Connect();
    panel.setRegister(10, 5, 13800);
    panel.setRegister(10, 9, 250);   // CT secondary 0.25
    panel.setRegister(10, 190, 15);  // neutral overrun 1.5
    panel.setRegister(2, 2, 600);
    panel.setRegister(10, 122, 668);
    panel.setRegister(10, 1, 1);
    panel.setRegister(2, 19, 2);
    panel.setRegister(2, 11, 5);
    panel.setRegister(10, 64, 2);
    panel.setRegister(10, 30, 'A' << 8 | 'B');
    panel.setRegister(10, 31, 'C' << 8);
    panel.setRegister(10, 32, 'X' << 8 | 'Y');  // after the end: not shown
    page_.GetConfig(prompts_);

    EXPECT_EQ(Text(ids::kU2PtPrimary), "13800");
    EXPECT_EQ(Text(ids::kU2PtSecondary), "120");
    EXPECT_EQ(Text(ids::kCtPrimary), "600");
    EXPECT_EQ(Text(ids::kCtSecondary), "0.25");
    EXPECT_EQ(Text(ids::kFullLoadCurrent), "668");
    EXPECT_EQ(Text(ids::kNeutralOverrun), "1.5");
    EXPECT_EQ(Text(ids::kMemo1), "ABC");
    EXPECT_EQ(Text(ids::kMemo2), "FEEDER 4A ");
    EXPECT_EQ(Selected(ids::kTapChanger), "GE");
    EXPECT_EQ(Selected(ids::kRegulatorType), "INVERTED");
    EXPECT_EQ(Selected(ids::kSystemConnection), "DELTA LEAD");
    EXPECT_EQ(Selected(ids::kPowerFlow), "CO-GEN");
    EXPECT_EQ(Selected(ids::kBasisVolts), "115");
    EXPECT_EQ(page_.ToolTip(ids::kMemo1),
              "ALLOWED MEMO CHARACTERS:ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789#&,-./");
}

TEST_F(ConfigurationPageTest, ListsShowAndStoreValuesThatAreNotInItemOrder) {
    auto& panel = Connect();
    panel.setRegister(10, 3, 0);    // meter volts PRI, the second item
    panel.setRegister(10, 217, 1);  // P2 calc ON, the first item
    panel.setRegister(2, 14, 7);
    panel.setRegister(10, 178, 7);
    panel.setRegister(10, 67, 411 | 3 << 10);
    page_.GetCfgAndAdvCfg(prompts_);
    EXPECT_EQ(Selected(ids::kMeterVolts), "PRI");
    EXPECT_EQ(Selected(ids::kP2Calc), "ON");
    EXPECT_EQ(Selected(ids::kCurrentThreshold), "7");
    EXPECT_EQ(Selected(ids::kAlertControlComm), "Y");

    Choose(ids::kMeterVolts, "SEC");
    EXPECT_EQ(StoreSlot(10, 3), 1);
    Choose(ids::kP2Calc, "OFF");
    EXPECT_EQ(StoreSlot(10, 217), 0);
    Choose(ids::kCurrentThreshold, "10");
    EXPECT_EQ(StoreSlot(2, 14), 10);
    Choose(ids::kAlertControlComm, "N");
    EXPECT_EQ(StoreSlot(10, 178), 5);
    Choose(ids::kAlertControlComm, "Y");
    Choose(ids::kAlertMetering, "N");
    EXPECT_EQ(StoreSlot(10, 178), 3);
    StoreSlot(10, 178) = 0;
    Choose(ids::kAlertControlComm, "Y");
    EXPECT_EQ(StoreSlot(10, 178), 2);
    Choose(ids::kRaiseLimit, "6.25%");
    EXPECT_EQ(StoreSlot(10, 136), 3);
    // The picks themselves send nothing.
    EXPECT_EQ(RequestTotals().requests,
              static_cast<uint64_t>(kConfigurationShortReadBlocks + kConfigurationReadBlocks +
                                    kAdvancedConfigurationReadBlocks));
}

TEST_F(ConfigurationPageTest, APanelWithEmptyRegistersShowsZerosAndTheFirstEntries) {
    Connect(0, {.loadDefaults = false});
    page_.GetCfgAndAdvCfg(prompts_);
    for (int id : {ids::kU2PtPrimary, ids::kCtPrimary, ids::kFullLoadCurrent, ids::kCurrentShift,
                   ids::kDemandTime}) {
        EXPECT_EQ(Text(id), "0") << id;
    }
    EXPECT_EQ(Text(ids::kCtSecondary), "0.0");
    EXPECT_EQ(Text(ids::kNeutralOverrun), "0.0");
    EXPECT_EQ(Text(ids::kSoftwareVersion), "0.0000");
    EXPECT_EQ(Text(ids::kMemo1), "");
    EXPECT_EQ(Text(ids::kPanelDate), "00/00/1990");
    EXPECT_EQ(Text(ids::kPanelTime), "00:00:00");
    EXPECT_EQ(Selected(ids::kTapChanger), "KORVANT");
    EXPECT_EQ(Selected(ids::kDemandType), "Thermal");
    EXPECT_EQ(Selected(ids::kMeterVolts), "PRI");
    EXPECT_EQ(page_.Form()[ids::kTimeoutDisplayScreen].selected, -1);
}

TEST_F(ConfigurationPageTest, AValueOutsideItsListLeavesTheSelectionAsItWas) {
    auto& panel = Connect();
    panel.setRegister(10, 64, 0);
    page_.GetConfig(prompts_);
    ASSERT_EQ(Selected(ids::kBasisVolts), "120");
    panel.setRegister(10, 64, 3);
    panel.setRegister(10, 11, 3);  // no such date order
    page_.GetCfgAndAdvCfg(prompts_);
    EXPECT_EQ(Selected(ids::kBasisVolts), "120");
    EXPECT_EQ(Text(ids::kPanelDate), "");
    EXPECT_EQ(Text(ids::kPanelTime), "10:42:17");
}

TEST_F(ConfigurationPageTest, ClockShownInThePanelsDateOrder) {
    auto& panel = Connect();
    panel.setRegister(10, 17, 10863);  // 15 March 2011
    panel.setRegister(10, 16, 26793);  // 13:05:09
    const std::vector<std::pair<int, std::string>> orders = {
        {0, "03/15/2011"}, {1, "15/03/2011"}, {2, "2011/03/15"}};
    for (const auto& [order, date] : orders) {
        panel.setRegister(10, 11, static_cast<uint16_t>(order));
        page_.GetAdvConfig(prompts_);
        EXPECT_EQ(Text(ids::kPanelDate), date);
        EXPECT_EQ(Text(ids::kPanelTime), "13:05:09");
        EXPECT_EQ(Selected(ids::kDateFormat), kDateOrderNames[order]);
    }
}

struct ModelCase {
    int word;
    std::string version;
    bool timeoutScreen;
    bool remoteAuto;
    bool kz4a;
};

TEST_F(ConfigurationPageTest, ModelDependentFieldsFollowVersionAndSubVersion) {
    const ModelCase cases[] = {
        {308 | 5 << 10, "3.0805", true, true, false},
        {411 | 3 << 10, "4.1103", true, false, true},
        {411, "4.1100", false, false, false},
        {410 | 4 << 10, "4.1004", true, false, false},
        {307 | 5 << 10, "3.0705", false, false, false},
    };
    auto& panel = Connect();
    for (const ModelCase& c : cases) {
        CPPOne page;
        panel.setRegister(10, 67, static_cast<uint16_t>(c.word));
        panel.setRegister(10, 207, 2);
        panel.setRegister(10, 208, 1);
        panel.setRegister(10, 213, 1);
        panel.setRegister(10, 214, 3);
        panel.setRegister(10, 217, 1);
        page.GetCfgAndAdvCfg(prompts_);
        FormModel& f = page.Form();
        EXPECT_EQ(f[ids::kSoftwareVersion].text, c.version);
        EXPECT_EQ(f[ids::kTimeoutDisplayScreen].SelectedText(), c.timeoutScreen ? "Vld" : "")
            << c.word;
        EXPECT_EQ(f[ids::kRemoteAuto].SelectedText(), c.remoteAuto ? "Remote" : "") << c.word;
        EXPECT_EQ(f[ids::kLowerLed].SelectedText(), c.kz4a ? "Blink" : "") << c.word;
        EXPECT_EQ(f[ids::kU2P2Out].SelectedText(), c.kz4a ? "P2" : "") << c.word;
        EXPECT_EQ(f[ids::kRemoteButton].SelectedText(), c.kz4a ? "Disable" : "") << c.word;
        EXPECT_EQ(f[ids::kP2Calc].SelectedText(), c.kz4a ? "ON" : "") << c.word;
    }
}

TEST_F(ConfigurationPageTest, RemoteAutoIsStoredOnlyOnPanelsThatShowIt) {
    auto& panel = Connect();
    panel.setRegister(10, 208, 0);
    panel.setRegister(10, 67, 308 | 5 << 10);
    page_.GetConfig(prompts_);
    Choose(ids::kRemoteAuto, "Auto");
    EXPECT_EQ(StoreSlot(10, 208), 2);

    panel.setRegister(10, 67, 411 | 3 << 10);
    page_.GetConfig(prompts_);
    StoreSlot(10, 208) = 0;
    Choose(ids::kRemoteAuto, "Remote");
    EXPECT_EQ(StoreSlot(10, 208), 0);
    // The remote button shares the register and is stored on any panel.
    Choose(ids::kRemoteButton, "Disable");
    EXPECT_EQ(StoreSlot(10, 208), 1);
}

TEST_F(ConfigurationPageTest, StoreOnlyGetShowsTheStoreWithoutTraffic) {
    Connect();
    StoreSlot(10, 5) = 14400;
    StoreSlot(10, 120) = 7;
    StoreSlot(10, 67) = 409;
    StoreSlot(10, 3) = 1;
    StoreSlot(10, 17) = 10863;
    Flags().storeOnly = true;
    page_.GetCfgAndAdvCfg(prompts_);
    EXPECT_EQ(Text(ids::kU2PtPrimary), "14400");
    EXPECT_EQ(Selected(ids::kTapChanger), "COOP QD");
    EXPECT_EQ(Text(ids::kSoftwareVersion), "4.0900");
    EXPECT_EQ(Selected(ids::kMeterVolts), "SEC");
    EXPECT_EQ(Text(ids::kPanelDate), "03/15/2011");
    EXPECT_TRUE(prompts_.Boxes().empty());
    EXPECT_TRUE(Seen().empty());
}

TEST_F(ConfigurationPageTest, ViewImportedDataShowsTheStoreOnlyAfterAnImport) {
    page_.OnCommand(ids::kViewImportedData, prompts_);
    ASSERT_EQ(prompts_.Boxes().size(), 1u);
    EXPECT_EQ(prompts_.Boxes()[0].text, "Data Was not Imported");
    EXPECT_EQ(prompts_.Boxes()[0].caption, "NO FILE OPERATION DETECTED");

    prompts_.calls.clear();
    StoreSlot(2, 2) = 1200;
    Flags().storeOnly = true;
    page_.OnCommand(ids::kViewImportedData, prompts_);
    EXPECT_TRUE(prompts_.Boxes().empty());
    EXPECT_EQ(Text(ids::kCtPrimary), "1200");
    EXPECT_FALSE(Flags().connected);
    EXPECT_EQ(RequestTotals().requests, 0u);
}

TEST_F(ConfigurationPageTest, WithoutConnectionEveryPanelActionShowsTheNotConnectedBox) {
    for (int id : {ids::kGetCfgAndAdvCfg, ids::kGetConfig, ids::kGetAdvConfig,
                   ids::kSetCfgAndAdvCfg, ids::kSetConfig, ids::kSetAdvConfig}) {
        prompts_.calls.clear();
        page_.OnCommand(id, prompts_);
        ASSERT_EQ(prompts_.Boxes().size(), 1u) << id;
        EXPECT_EQ(prompts_.Boxes()[0].text, "PLEASE CHECK CONNECTION");
        EXPECT_EQ(prompts_.Boxes()[0].caption, "NOT CONNECTED");
    }
    EXPECT_EQ(RequestTotals().requests, 0u);
}

TEST_F(ConfigurationPageTest, RemovingTheTabsStartsTheNextWindowFromTheTemplate) {
    Connect();
    page_.GetCfgAndAdvCfg(prompts_);
    page_.Form()[ids::kLowerLed].enabled = false;  // as the version rules leave it
    page_.EmptyTexts();
    EXPECT_EQ(Text(ids::kU2PtPrimary), "");
    EXPECT_EQ(page_.Form()[ids::kTapChanger].selected, -1);
    EXPECT_TRUE(page_.Form()[ids::kLowerLed].enabled);
    EXPECT_EQ(page_.Form()[ids::kTapChanger].items.size(), 8u);
    EXPECT_FALSE(page_.Form()[ids::kViewImportedData].visible);
    EXPECT_EQ(page_.ToolTip(ids::kMemo1), "");
}

}  // namespace
