// Start-up from conset.kzx, the connection controls, the version rules of the tabs, and the
// menu entries whose functions come later. No panel is needed here.
#include <filesystem>

#include "tests/app/main_window_fixture.h"

namespace {

using namespace testing_support;
namespace text = main_window_text;

TEST_F(MainWindowTest, NoSettingsFileOpensWithDefaultsAfterTellingTheUser) {
    std::filesystem::remove(kConnectionSettingsFile);
    window_.OnInitDialog();
    ASSERT_EQ(prompts_.Boxes().size(), 1u);
    EXPECT_EQ(prompts_.Boxes()[0].text, "Saved Connection Settings \nFile not found");
    EXPECT_EQ(prompts_.Boxes()[0].caption, "LOADING DEFAULTS ");
    EXPECT_EQ(prompts_.Boxes()[0].buttons, PromptButtons::kOk);
    FormModel& f = window_.Form();
    EXPECT_EQ(f[ids::window::kCommPort].SelectedText(), "01");
    EXPECT_EQ(f[ids::window::kBaud].SelectedText(), "9600");
    EXPECT_EQ(f[ids::window::kParity].SelectedText(), "EVEN");
    EXPECT_EQ(f[ids::window::kAddressMode].SelectedText(), "OFF");
    EXPECT_TRUE(f[ids::window::kCommAddress].enabled == false);
    EXPECT_EQ(f[ids::window::kConnect].caption, "Connect");
    EXPECT_EQ(f[ids::window::kIndicator].background, kLightGrey);
    EXPECT_EQ(window_.PortNumber(), 1);
    EXPECT_EQ(window_.BaudRate(), 9600);
    EXPECT_EQ(window_.ParityCode(), 1);
    EXPECT_EQ(Protocol().addressMode, 0);
}

TEST_F(MainWindowTest, SavedSettingsSelectTheirEntries) {
    WriteFile(kConnectionSettingsFile, "//VOLTSCOPE 5.0 Connection Settings\r\n,12,5,0,1");
    Protocol().commAddress = 9;  // never restored: start-up always makes it 0
    window_.OnInitDialog();
    EXPECT_TRUE(prompts_.Boxes().empty());
    FormModel& f = window_.Form();
    EXPECT_EQ(f[ids::window::kCommPort].SelectedText(), "12");
    EXPECT_EQ(f[ids::window::kBaud].SelectedText(), "19200");
    EXPECT_EQ(f[ids::window::kParity].SelectedText(), "NONE");
    EXPECT_EQ(f[ids::window::kAddressMode].SelectedText(), "ON");
    EXPECT_TRUE(f[ids::window::kCommAddress].enabled == true);
    EXPECT_EQ(f[ids::window::kCommAddress].selected, -1);
    EXPECT_EQ(window_.PortNumber(), 12);
    EXPECT_EQ(window_.BaudRate(), 19200);
    EXPECT_EQ(window_.ParityCode(), 0);
    EXPECT_EQ(Protocol().addressMode, 1);
    EXPECT_EQ(Protocol().commAddress, 0);
}

TEST_F(MainWindowTest, WrongOrMalformedSettingsFileGivesInvalidBoxAndDefaults) {
    for (const char* content :
         {"some other text\r\n,12,5,0,1", "//VOLTSCOPE 5.0 Connection Settings\r\n,12,5"}) {
        WriteFile(kConnectionSettingsFile, content);
        prompts_.calls.clear();
        window_.OnInitDialog();
        ASSERT_EQ(prompts_.Boxes().size(), 1u);
        EXPECT_EQ(prompts_.Boxes()[0].text, "Invalid Saved Connection Settings File");
        EXPECT_EQ(prompts_.Boxes()[0].caption, "LOADING DEFAULTS ");
        EXPECT_EQ(window_.Form()[ids::window::kCommPort].SelectedText(), "01");
        EXPECT_EQ(window_.BaudRate(), 9600);
    }
}

TEST_F(MainWindowTest, ConnectionControlsSetTheSettings) {
    window_.OnInitDialog();
    Choose(ids::window::kCommPort, "123");
    Choose(ids::window::kBaud, "2400");
    Choose(ids::window::kParity, "ODD");
    EXPECT_EQ(window_.PortNumber(), 123);
    EXPECT_EQ(window_.BaudRate(), 2400);
    EXPECT_EQ(window_.ParityCode(), 2);
    Choose(ids::window::kParity, "NONE");
    EXPECT_EQ(window_.ParityCode(), 0);

    Choose(ids::window::kAddressMode, "ON");
    EXPECT_TRUE(window_.Form()[ids::window::kCommAddress].enabled == true);
    EXPECT_EQ(Protocol().addressMode, 1);
    Choose(ids::window::kCommAddress, "199");
    EXPECT_EQ(Protocol().commAddress, 199);
    Choose(ids::window::kAddressMode, "OFF");
    EXPECT_TRUE(window_.Form()[ids::window::kCommAddress].enabled == false);
    EXPECT_EQ(Protocol().addressMode, 0);
}

// The tabs without a connection take the version word from the store.
struct VersionCase {
    int word;
    bool lowerLedEnabled;    // 1255, and the other KZ-4A fields
    bool timeoutEnabled;     // 1254
    bool remoteAutoEnabled;  // 1260
};

TEST_F(MainWindowTest, VersionRulesDisableFieldsByPanelVersion) {
    const VersionCase cases[] = {
        {308, false, false, false},
        {308 | (5 << 10), false, true, true},  // sub-version 5 keeps the 3.08 fields
        {309, false, true, true},
        {409, false, true, true},
        {410, false, true, false},
        {411, true, true, false},
    };
    for (const VersionCase& c : cases) {
        CRegToolDlg window(prompts_);
        ResetFlags();
        StoreSlot(10, 67) = c.word;
        window.SetUpTabs(false);
        EXPECT_EQ(Flags().panelVersion, c.word & 0x3FF);
        EXPECT_EQ(Flags().versionHighBits, c.word >> 10);
        FormModel& cfg = window.Configuration().Form();
        EXPECT_EQ(cfg[ids::config::kLowerLed].enabled.Or(true), c.lowerLedEnabled) << c.word;
        EXPECT_EQ(cfg[ids::config::kRemoteButton].enabled.Or(true), c.lowerLedEnabled) << c.word;
        EXPECT_EQ(window.Logs().Form()[ids::logs::kLogMinMax].enabled.Or(true), c.lowerLedEnabled)
            << c.word;
        EXPECT_EQ(window.DiagPwdsAlerts().Form()[ids::diag::kPanelType].enabled, false) << c.word;
        EXPECT_EQ(cfg[ids::config::kTimeoutDisplayScreen].enabled.Or(true), c.timeoutEnabled)
            << c.word;
        EXPECT_EQ(cfg[ids::config::kRemoteAuto].enabled.Or(true), c.remoteAutoEnabled) << c.word;
        EXPECT_TRUE(Flags().tabsCreated);
    }
}

TEST_F(MainWindowTest, TabsWithoutConnectionNeverIncludeMaintenance) {
    StoreSlot(10, 67) = 420;
    window_.SetUpTabs(false);
    EXPECT_EQ(TabCaptions(), (std::vector<std::string>{
                                 "Configuration", "Regulator and Comm", "Metering and Counters",
                                 "Logs and Quick Key", "Diag, Pwds and Alerts", "Pseudo Manual"}));
    for (int id : {ids::diag::kPanelType, ids::diag::kFixedOnTime, ids::diag::kTapIn,
                   ids::diag::kTapInType, ids::diag::kNeutralIn, ids::diag::kNeutralCount}) {
        EXPECT_TRUE(window_.DiagPwdsAlerts().Form()[id].enabled == false) << id;
    }
    // A second set-up keeps the tabs as they are.
    window_.SetUpTabs(false);
    EXPECT_EQ(window_.Tabs().size(), 6u);
}

TEST_F(MainWindowTest, RefreshPagesShowsTheStoreWithoutTouchingTheConnectedFlag) {
    StoreSlot(10, 120) = 3;
    StoreSlot(2, 24) = 1234;
    Flags().storeOnly = true;
    window_.SetUpTabs(true);
    EXPECT_FALSE(Flags().connected);
    EXPECT_TRUE(prompts_.Boxes().empty());  // the pages passed their connection test
    EXPECT_EQ(window_.Configuration().Form()[ids::config::kTapChanger].SelectedText(), "COOP SD");
    EXPECT_EQ(window_.RegulatorComm().Form()[ids::regulator::kFwdVolts].text, "123.4");
}

TEST_F(MainWindowTest, CloseTabsWithoutConnectionOrImportDoesNothing) {
    window_.OnInitDialog();
    window_.OnCloseTabs();
    EXPECT_TRUE(prompts_.Boxes().empty());
    EXPECT_FALSE(Flags().connected);
}

TEST_F(MainWindowTest, CloseTabsAfterImportRemovesTabsAndImportedState) {
    window_.OnInitDialog();
    window_.SetUpTabs(false);
    Flags().fileImported = true;
    window_.OnCloseTabs();
    EXPECT_TRUE(prompts_.Boxes().empty());
    EXPECT_TRUE(window_.Tabs().empty());
    EXPECT_FALSE(Flags().tabsCreated);
    EXPECT_FALSE(Flags().fileImported);
}

TEST_F(MainWindowTest, PagesRefuseToTalkToThePanelWithoutConnection) {
    window_.Configuration().Download(prompts_);
    window_.RegulatorComm().Upload(prompts_);
    window_.Logs().RefreshCounts(prompts_);
    window_.DiagPwdsAlerts().Upload(prompts_);  // its diagnostics, then its passwords
    ASSERT_EQ(prompts_.Boxes().size(), 5u);
    for (const auto& box : prompts_.Boxes()) {
        EXPECT_EQ(box.text, "PLEASE CHECK CONNECTION");
        EXPECT_EQ(box.caption, "NOT CONNECTED");
    }
    // In store-only mode (a configuration file being saved, which sets the connected flag for
    // the pages' calls) an upload converts into the store and asks nothing.
    prompts_.calls.clear();
    Flags().storeOnly = true;
    Flags().connected = true;
    window_.RegulatorComm().Form()[ids::regulator::kFwdVolts].text = "121.5";
    window_.RegulatorComm().Upload(prompts_);
    EXPECT_TRUE(prompts_.Boxes().empty());
    EXPECT_EQ(StoreSlot(2, 24), 1215);
}

TEST_F(MainWindowTest, HiddenExitButtonOnlyEndsTheWaitCursor) {
    window_.OnInitDialog();
    window_.OnCommand(ids::window::kHiddenExit);
    ASSERT_EQ(prompts_.calls.size(), 1u);
    EXPECT_EQ(prompts_.calls[0].kind, "wait-");
}

}  // namespace
