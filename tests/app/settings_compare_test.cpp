// "Compare With Config File…" over the real path: the panel's settings as Connect downloaded
// them, or an opened file, against a configuration file; what the window and the store hold
// stays as it was, and the panel hears nothing.
#include "app/configuration_file.h"
#include "pages/data/logs_page_state.h"
#include "pages/kit/text_file.h"
#include "tests/app/main_window_fixture.h"

namespace {

using namespace testing_support;

struct Slot {
    unsigned bank, reg;
    int32_t value;
};

// A file of what the store holds now, but for `changes`; the store is left as it was.
std::string FileWith(const std::vector<Slot>& changes) {
    std::vector<int32_t> old;
    for (const Slot& s : changes) {
        old.push_back(StoreSlot(s.bank, s.reg));
        StoreSlot(s.bank, s.reg) = s.value;
    }
    const std::string text = WithCrLf(FormatConfigurationFile());
    for (std::size_t i = changes.size(); i-- > 0;) {
        StoreSlot(changes[i].bank, changes[i].reg) = old[i];
    }
    return text;
}

// Everything a comparison must leave alone: the store with its held flags, what each page
// shows, the flags and the Logs page's state.
std::string WhatTheToolHolds(CRegToolDlg& window) {
    std::string held;
    for (unsigned bank = 0; bank < kBankCount; ++bank) {
        for (unsigned reg = 0; reg < kRegistersPerBank; ++reg) {
            held += std::to_string(StoreSlot(bank, reg)) + (SlotHeld(bank, reg) ? "h " : " ");
        }
    }
    for (Page* page : window.AllPages()) {
        for (int id : page->Form().Ids()) {
            const ControlState& c = page->Form()[id];
            held += std::to_string(id) + "=" + c.text + "/" + std::to_string(c.selected) + ";";
        }
    }
    const AppFlags& f = Flags();
    for (int v : {int{f.connected}, int{f.tabsCreated}, int{f.fileImported}, int{f.storeOnly},
                  f.panelVersion, f.versionHighBits, int{f.linkValue}}) {
        held += std::to_string(v) + ",";
    }
    for (int bit : LogsState().bits) {
        held += std::to_string(bit);
    }
    return held;
}

class SettingsCompareTest : public MainWindowTest {
  protected:
    std::optional<SettingsComparison> Compare(const std::string& file) {
        prompts_.fileNames = {file};
        return window_.CompareWithConfigFile();
    }
};

TEST_F(SettingsCompareTest, ThePanelAgainstAFileListsEachDifferenceAsThePagesShowIt) {
    StartPanel(4, 411);
    InitAndConnect(4);
    ASSERT_TRUE(Flags().connected);
    struct Case {
        std::vector<Slot> changes;
        std::vector<SettingsDifference> rows;
    };
    const Case cases[] = {
        {{}, {}},
        // A list, a scaled number, an On/Off bit and a password.
        {{{10, 120, 3}, {2, 24, 1235}, {11, 1, 0x159E}, {11, 200, 0x4142}},
         {{"<CONFIGURE>", "Tap Chngr:", "GE", "COOP SD", "10/120"},
          {"<REGULATOR>", "Fwd Volts:", "120.0", "123.5", "2/24"},
          {"<LOG SETUP>", "Log Event:", "ON", "OFF", "11/1"},
          {"<PASSWORDS>", "Level 1 PW:", "(differs)", "(differs)", "11/200"}}},
        // The panel's clock is no setting.
        {{{10, 16, 0}, {10, 17, 0}}, {}},
    };
    const std::string before = WhatTheToolHolds(window_);
    const uint64_t requests = RequestTotals().requests;
    for (const Case& c : cases) {
        WriteFile("approved.kz0", FileWith(c.changes));
        const std::optional<SettingsComparison> comparison = Compare("approved.kz0");
        ASSERT_TRUE(comparison);
        EXPECT_EQ(comparison->aName, "Panel");
        EXPECT_EQ(comparison->bName, "approved.kz0");
        EXPECT_EQ(comparison->rows, c.rows);
        EXPECT_EQ(WhatTheToolHolds(window_), before);
        EXPECT_EQ(RequestTotals().requests, requests);
    }
    EXPECT_TRUE(prompts_.Boxes().empty());
    EXPECT_EQ(prompts_.OfKind("open file")[0]->file.title, "Compare With Config File");
}

TEST_F(SettingsCompareTest, AnOpenedFileAgainstAnother) {
    // Nothing on the pages yet: nothing to compare, and no dialog.
    EXPECT_FALSE(window_.CompareWithConfigFile());
    EXPECT_EQ(prompts_.Captions(), std::vector<std::string>{kCompareCaption});
    EXPECT_TRUE(prompts_.OfKind("open file").empty());

    StoreSlot(10, 67) = 411;
    StoreSlot(2, 26) = 2;
    WriteFile("site.kz0", FileWith({}));
    WriteFile("other.kz0", FileWith({{2, 26, 0}, {11, 222, 0x4431}}));
    WriteFile("broken.kz0", "//<CFG>\r\n");
    ResetValueStore();
    prompts_.fileNames = {"site.kz0"};
    window_.OnCommand(ids::menu::kOpenConfig);
    ASSERT_TRUE(Flags().fileImported);
    const std::string before = WhatTheToolHolds(window_);

    const std::optional<SettingsComparison> same = Compare("site.kz0");
    ASSERT_TRUE(same);
    EXPECT_TRUE(same->rows.empty());
    prompts_.calls.clear();
    EXPECT_FALSE(Compare("broken.kz0"));
    EXPECT_EQ(prompts_.Captions(), std::vector<std::string>{"INVALID FILE"});

    std::vector<SettingsComparison> told;
    window_.SetComparisonListener([&told](const SettingsComparison& c) { told.push_back(c); });
    prompts_.fileNames = {"other.kz0"};
    window_.OnCommand(ids::menu::kCompareWithConfig);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].aName, "site.kz0");
    const std::vector<SettingsDifference> rows = {
        {"<REGULATOR>", "VLC Enable:", "ON", "OFF", "2/26"},
        {"<PASSWORDS>", "Diagnos. PW:", "(differs)", "(differs)", "11/222"}};
    EXPECT_EQ(told[0].rows, rows);
    EXPECT_EQ(WhatTheToolHolds(window_), before);
    EXPECT_EQ(RequestTotals().requests, 0u);

    // "Save…": the rows as CSV, CR LF, through the export writer.
    prompts_.fileNames = {"differences.csv"};
    EXPECT_EQ(SaveComparison(prompts_, told[0]), ExportOutcome::kWritten);
    EXPECT_EQ(ReadFile("differences.csv"),
              "Section,Setting,site.kz0,other.kz0,Bank/Register\r\n"
              "<REGULATOR>,VLC Enable:,ON,OFF,2/26\r\n"
              "<PASSWORDS>,Diagnos. PW:,(differs),(differs),11/222\r\n");
}

}  // namespace
