// "Get Config" and " Get Adv Cfg" against the simulated panel: what is read, in which order,
// and how the store is shown: scaled fields, memos, the software version, lists whose values
// are not in item order, and the fields that only some panel models show.
#include "protocol/block_tables.h"
#include "protocol/packed_time.h"
#include "tests/pages/configuration_page_fixture.h"

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

    EXPECT_EQ(Text(ids::config::kU2PtPrimary), "13800");
    EXPECT_EQ(Text(ids::config::kU2PtSecondary), "120");
    EXPECT_EQ(Text(ids::config::kCtPrimary), "600");
    EXPECT_EQ(Text(ids::config::kCtSecondary), "0.25");
    EXPECT_EQ(Text(ids::config::kFullLoadCurrent), "668");
    EXPECT_EQ(Text(ids::config::kNeutralOverrun), "1.5");
    EXPECT_EQ(Text(ids::config::kMemo1), "ABC");
    EXPECT_EQ(Text(ids::config::kMemo2), "FEEDER 4A ");
    EXPECT_EQ(Selected(ids::config::kTapChanger), "GE");
    EXPECT_EQ(Selected(ids::config::kRegulatorType), "INVERTED");
    EXPECT_EQ(Selected(ids::config::kSystemConnection), "DELTA LEAD");
    EXPECT_EQ(Selected(ids::config::kPowerFlow), "CO-GEN");
    EXPECT_EQ(Selected(ids::config::kBasisVolts), "115");
    EXPECT_EQ(page_.ToolTip(ids::config::kMemo1),
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
    EXPECT_EQ(Selected(ids::config::kMeterVolts), "PRI");
    EXPECT_EQ(Selected(ids::config::kP2Calc), "ON");
    EXPECT_EQ(Selected(ids::config::kCurrentThreshold), "7");
    EXPECT_EQ(Selected(ids::config::kAlertControlComm), "Y");

    Choose(ids::config::kMeterVolts, "SEC");
    EXPECT_EQ(StoreSlot(10, 3), 1);
    Choose(ids::config::kP2Calc, "OFF");
    EXPECT_EQ(StoreSlot(10, 217), 0);
    Choose(ids::config::kCurrentThreshold, "10");
    EXPECT_EQ(StoreSlot(2, 14), 10);
    Choose(ids::config::kAlertControlComm, "N");
    EXPECT_EQ(StoreSlot(10, 178), 5);
    Choose(ids::config::kAlertControlComm, "Y");
    Choose(ids::config::kAlertMetering, "N");
    EXPECT_EQ(StoreSlot(10, 178), 3);
    // A pick changes the word the lists show, whatever was put into the store since.
    StoreSlot(10, 178) = 0;
    Choose(ids::config::kAlertControlComm, "N");
    EXPECT_EQ(StoreSlot(10, 178), 1);
    Choose(ids::config::kRaiseLimit, "6.25%");
    EXPECT_EQ(StoreSlot(10, 136), 3);
    // The picks themselves send nothing.
    EXPECT_EQ(RequestTotals().requests,
              static_cast<uint64_t>(kConfigurationShortReadBlocks + kConfigurationReadBlocks +
                                    kAdvancedConfigurationReadBlocks));
}

TEST_F(ConfigurationPageTest, APanelWithEmptyRegistersShowsZerosAndTheFirstEntries) {
    Connect(0, {.loadDefaults = false});
    page_.GetCfgAndAdvCfg(prompts_);
    for (int id :
         {ids::config::kU2PtPrimary, ids::config::kCtPrimary, ids::config::kFullLoadCurrent,
          ids::config::kCurrentShift, ids::config::kDemandTime}) {
        EXPECT_EQ(Text(id), "0") << id;
    }
    EXPECT_EQ(Text(ids::config::kCtSecondary), "0.0");
    EXPECT_EQ(Text(ids::config::kNeutralOverrun), "0.0");
    EXPECT_EQ(Text(ids::config::kSoftwareVersion), "0.0000");
    EXPECT_EQ(Text(ids::config::kMemo1), "");
    EXPECT_EQ(Text(ids::config::kPanelDate), "00/00/1990");
    EXPECT_EQ(Text(ids::config::kPanelTime), "00:00:00");
    EXPECT_EQ(Selected(ids::config::kTapChanger), "KORVANT");
    EXPECT_EQ(Selected(ids::config::kDemandType), "Thermal");
    EXPECT_EQ(Selected(ids::config::kMeterVolts), "PRI");
    EXPECT_EQ(page_.Form()[ids::config::kTimeoutDisplayScreen].selected, -1);
}

TEST_F(ConfigurationPageTest, AValueOutsideItsListSelectsNothing) {
    auto& panel = Connect();
    panel.setRegister(10, 64, 0);
    page_.GetConfig(prompts_);
    ASSERT_EQ(Selected(ids::config::kBasisVolts), "120");
    panel.setRegister(10, 64, 3);
    panel.setRegister(10, 11, 3);  // no such date order
    page_.GetCfgAndAdvCfg(prompts_);
    EXPECT_EQ(Selected(ids::config::kBasisVolts), "");  // never the item of an earlier value
    EXPECT_EQ(Text(ids::config::kPanelDate), "");
    EXPECT_EQ(Text(ids::config::kPanelTime), "10:42:17");
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
        EXPECT_EQ(Text(ids::config::kPanelDate), date);
        EXPECT_EQ(Text(ids::config::kPanelTime), "13:05:09");
        EXPECT_EQ(Selected(ids::config::kDateFormat), kDateOrderNames[order]);
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
        EXPECT_EQ(f[ids::config::kSoftwareVersion].text, c.version);
        EXPECT_EQ(f[ids::config::kTimeoutDisplayScreen].SelectedText(),
                  c.timeoutScreen ? "Vld" : "")
            << c.word;
        EXPECT_EQ(f[ids::config::kRemoteAuto].SelectedText(), c.remoteAuto ? "Remote" : "")
            << c.word;
        EXPECT_EQ(f[ids::config::kLowerLed].SelectedText(), c.kz4a ? "Blink" : "") << c.word;
        EXPECT_EQ(f[ids::config::kU2P2Out].SelectedText(), c.kz4a ? "P2" : "") << c.word;
        EXPECT_EQ(f[ids::config::kRemoteButton].SelectedText(), c.kz4a ? "Disable" : "") << c.word;
        EXPECT_EQ(f[ids::config::kP2Calc].SelectedText(), c.kz4a ? "ON" : "") << c.word;
    }
}

TEST_F(ConfigurationPageTest, RemoteAutoIsStoredOnlyOnPanelsThatShowIt) {
    auto& panel = Connect();
    panel.setRegister(10, 208, 0);
    panel.setRegister(10, 67, 308 | 5 << 10);
    page_.GetConfig(prompts_);
    Choose(ids::config::kRemoteAuto, "Auto");
    EXPECT_EQ(StoreSlot(10, 208), 2);

    panel.setRegister(10, 67, 411 | 3 << 10);
    page_.GetConfig(prompts_);
    StoreSlot(10, 208) = 0;
    Choose(ids::config::kRemoteAuto, "Remote");
    EXPECT_EQ(StoreSlot(10, 208), 0);
    // The remote button shares the register and is stored on any panel.
    Choose(ids::config::kRemoteButton, "Disable");
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
    EXPECT_EQ(Text(ids::config::kU2PtPrimary), "14400");
    EXPECT_EQ(Selected(ids::config::kTapChanger), "COOP QD");
    EXPECT_EQ(Text(ids::config::kSoftwareVersion), "4.0900");
    EXPECT_EQ(Selected(ids::config::kMeterVolts), "SEC");
    EXPECT_EQ(Text(ids::config::kPanelDate), "03/15/2011");
    EXPECT_TRUE(prompts_.Boxes().empty());
    EXPECT_TRUE(Seen().empty());
}

TEST_F(ConfigurationPageTest, ViewImportedDataShowsTheStoreOnlyAfterAnImport) {
    page_.OnCommand(ids::config::kViewImportedData, prompts_);
    ASSERT_EQ(prompts_.Boxes().size(), 1u);
    EXPECT_EQ(prompts_.Boxes()[0].text, "Data Was not Imported");
    EXPECT_EQ(prompts_.Boxes()[0].caption, "NO FILE OPERATION DETECTED");

    prompts_.calls.clear();
    StoreSlot(2, 2) = 1200;
    Flags().storeOnly = true;
    page_.OnCommand(ids::config::kViewImportedData, prompts_);
    EXPECT_TRUE(prompts_.Boxes().empty());
    EXPECT_EQ(Text(ids::config::kCtPrimary), "1200");
    EXPECT_FALSE(Flags().connected);
    EXPECT_EQ(RequestTotals().requests, 0u);
}

TEST_F(ConfigurationPageTest, WithoutConnectionEveryPanelActionShowsTheNotConnectedBox) {
    for (int id :
         {ids::config::kGetCfgAndAdvCfg, ids::config::kGetConfig, ids::config::kGetAdvConfig,
          ids::config::kSetCfgAndAdvCfg, ids::config::kSetConfig, ids::config::kSetAdvConfig}) {
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
    page_.Form()[ids::config::kLowerLed].enabled = false;  // as the version rules leave it
    page_.ResetWindow();
    EXPECT_EQ(Text(ids::config::kU2PtPrimary), "");
    EXPECT_EQ(page_.Form()[ids::config::kTapChanger].selected, -1);
    EXPECT_FALSE(page_.Form()[ids::config::kLowerLed].enabled.IsSet());  // as the form has it
    EXPECT_EQ(page_.Form()[ids::config::kTapChanger].items.size(), 8u);
    EXPECT_EQ(page_.ToolTip(ids::config::kMemo1), "");
}

}  // namespace
