// "Save Config File" and "Open Config file" over the real path: what the file holds, that
// opening it puts every value back by position, that an invalid file changes nothing, and that
// the next Connect sends what was opened.
#include <filesystem>

#include "app/configuration_file.h"
#include "pages/kit/list_selection.h"
#include "pages/kit/text_file.h"
#include "pages/settings/tap_changer_defaults.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/local_time.h"

namespace {

using namespace testing_support;
namespace text = main_window_text;

std::vector<std::string> Lines(const std::string& crlfText) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = crlfText.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        lines.push_back(crlfText.substr(start, end - start));
    }
    lines.push_back(crlfText.substr(start));
    return lines;
}

// Every register of the file, in file order.
std::vector<std::pair<unsigned, unsigned>> FileRegisters() {
    std::vector<std::pair<unsigned, unsigned>> regs;
    for (const ConfigSection& section : ConfigurationFileSections()) {
        for (int b = 0; b < section.blockCount; ++b) {
            for (unsigned k = 0; k < section.blocks[b].count; ++k) {
                regs.emplace_back(section.blocks[b].bank, section.blocks[b].start + k);
            }
        }
    }
    return regs;
}

class ConfigurationFileTest : public MainWindowTest {
  protected:
    void ConnectAndSave(const std::string& path) {
        auto& panel = StartPanel(5, 410);
        panel.setRegister(10, 5, 13800);  // U2 PT primary
        panel.setRegister(2, 24, 1235);
        InitAndConnect(5);
        prompts_.fileNames = {path};
        window_.SaveConfigFile();
    }
    void Open(const std::string& path) {
        prompts_.fileNames = {path};
        window_.OpenConfigFile();
    }
};

TEST_F(ConfigurationFileTest, SavedFileHoldsTheSevenSectionsAndOpensBackIntoTheSameSlots) {
    window_.SetClock([] { return LocalTime(2026, 12, 7, 15, 4, 9, 1); });
    ConnectAndSave("saved.kz0");
    const auto save = prompts_.OfKind("save");
    ASSERT_EQ(save.size(), 1u);
    EXPECT_EQ(save[0]->file.title, "Save CFG File");
    EXPECT_EQ(save[0]->file.defaultName, "Mon_Dec_07_03_04_09_2026_PM_cfg.kz0");
    EXPECT_EQ(save[0]->file.extension, "kz0");
    EXPECT_EQ(save[0]->file.filter, "KZ0 FILE (*.kz0)|*.kz0||");
    EXPECT_EQ(prompts_.Boxes().back().caption, "File Created");
    EXPECT_EQ(prompts_.Boxes().back().text, cwd_.dir() + "/saved.kz0");
    EXPECT_TRUE(Flags().connected);  // saving while connected stays connected

    const std::string file = ReadFile("saved.kz0");
    const std::vector<std::string> lines = Lines(file);
    ASSERT_EQ(lines.size(), 7u + kConfigFileValues + 1u);
    EXPECT_EQ(lines[0], "//<CFG>");
    EXPECT_EQ(lines[1], "10,120," + std::to_string(StoreSlot(10, 120)));
    EXPECT_EQ(lines[7], "10,5,13800");
    EXPECT_EQ(lines.back(), "//VOLTSCOPE 5.0 CFG FILE - EOF");  // no line end after it
    EXPECT_EQ(file.substr(file.size() - 5), "- EOF");
    std::vector<int32_t> saved;
    for (auto [bank, reg] : FileRegisters()) {
        saved.push_back(StoreSlot(bank, reg));
    }

    window_.OnConnectButton();  // Disconnect
    ResetValueStore();
    prompts_.calls.clear();
    Open("saved.kz0");
    EXPECT_EQ(prompts_.Captions(), (std::vector<std::string>{"Verify Screens"}));
    std::vector<int32_t> opened;
    for (auto [bank, reg] : FileRegisters()) {
        opened.push_back(StoreSlot(bank, reg));
    }
    // The same 16 bits in every slot (showing a compensation keeps it in its signed form).
    for (std::size_t i = 0; i < saved.size(); ++i) {
        EXPECT_EQ(opened[i] & 0xFFFF, saved[i] & 0xFFFF)
            << FileRegisters()[i].first << "/" << FileRegisters()[i].second;
    }
    EXPECT_EQ(window_.Configuration().Form()[ids::config::kU2PtPrimary].text, "13800");
    EXPECT_TRUE(Flags().fileImported);
    EXPECT_TRUE(Flags().tabsCreated);
    EXPECT_FALSE(Flags().connected);
    EXPECT_FALSE(Flags().storeOnly);

    // Saving the imported tabs while disconnected leaves the connected flag clear.
    prompts_.fileNames = {"again.kz0"};
    window_.SaveConfigFile();
    EXPECT_FALSE(Flags().connected);
    EXPECT_EQ(ReadFile("again.kz0"), file);
}

TEST_F(ConfigurationFileTest, ValuesAreTakenByPositionAndGoToThePanelAtTheNextConnect) {
    StoreSlot(2, 24) = 1180;
    std::string file = WithCrLf(FormatConfigurationFile());
    // The regulator's first line, with its bank and register edited: only the position counts.
    const std::string line = "\r\n2,24,1180\r\n";
    ASSERT_NE(file.find(line), std::string::npos);
    file.replace(file.find(line), line.size(), "\r\n99,99,1215\r\n");
    WriteFile("edited.kz0", file);
    Open("edited.kz0");
    EXPECT_EQ(StoreSlot(2, 24), 1215);
    EXPECT_EQ(RequestTotals().requests, 0u);  // disconnected: not even the link is asked

    auto& panel = StartPanel(5, 410);
    prompts_.answers.assign(12, PromptAnswer::kYes);
    InitAndConnect(5);
    EXPECT_EQ(panel.getRegister(2, 24), 1215);
    EXPECT_FALSE(Flags().fileImported);
}

TEST_F(ConfigurationFileTest, ATypeChangeSinceTheLastSaveWritesItsDiagDefaults) {
    window_.SetUpTabs(false);
    for (const char* type : {"GE", "Custom"}) {
        ASSERT_TRUE(SelectByPrefix(window_.Configuration().Form()[ids::config::kTapChanger], type));
        window_.Configuration().OnSelectionChanged(ids::config::kTapChanger, prompts_);
        // The Diag page shows the store's DIAG settings when next looked at; the save takes
        // what it shows.
        window_.DiagPwdsAlerts().OnShowChanged(true);
        prompts_.fileNames = {std::string(type) + ".kz0"};
        window_.SaveConfigFile();
    }
    auto diag = [](const std::string& file) {
        const std::string from = "\r\n10,180,";
        std::vector<std::string> lines = Lines(file.substr(file.find(from) + 2));
        lines.resize(10);
        return lines;
    };
    EXPECT_EQ(
        diag(ReadFile("GE.kz0")),
        (std::vector<std::string>{"10,180,80", "10,181,30", "10,182,30", "10,183,0", "10,184,1",
                                  "10,185,2", "10,186,5", "10,187,5", "10,188,0", "10,189,1"}));
    // "Custom" has no defaults: the DIAG settings stay as the Diag page has them, not zeros.
    EXPECT_EQ(diag(ReadFile("Custom.kz0")), diag(ReadFile("GE.kz0")));
}

TEST_F(ConfigurationFileTest, AFailedSaveLeavesTheTypesDefaultsForTheNextSave) {
    window_.SetUpTabs(false);
    ASSERT_TRUE(SelectByPrefix(window_.Configuration().Form()[ids::config::kTapChanger], "GE"));
    window_.Configuration().OnSelectionChanged(ids::config::kTapChanger, prompts_);
    for (const char* file : {"no/such/folder/GE.kz0", "GE.kz0"}) {
        prompts_.fileNames = {std::string(file)};
        window_.SaveConfigFile();
    }
    EXPECT_EQ(prompts_.Captions().back(), "File Created");
    EXPECT_NE(ReadFile("GE.kz0").find("\r\n10,180,80\r\n10,181,30\r\n10,182,30\r\n"),
              std::string::npos);
    EXPECT_FALSE(TapChangerState().defaultsApplied);
}

TEST_F(ConfigurationFileTest, AnInvalidFileChangesNothingAndTheToolKeepsRunning) {
    const std::string good = WithCrLf(FormatConfigurationFile());
    StoreSlot(2, 24) = 4321;
    auto without = [&](const std::string& what) {
        std::string f = good;
        f.erase(f.find(what), what.size());
        return f;
    };
    std::filesystem::create_directory("folder.kz0");
    const std::pair<std::string, std::string> cases[] = {
        {"empty", ""},
        {"no end line", without("//VOLTSCOPE 5.0 CFG FILE - EOF")},
        {"a marker missing", without("//<COMM>\r\n")},
        {"a value line missing", without("10,216,")},
        {"cut short", good.substr(0, good.size() / 2)},
        {"not a number",
         [&] {
             std::string f = good;
             f.replace(f.find("10,120,") + 7, 1, "x");
             return f;
         }()},
        {"text after the end", good + "\r\nmore"},
        {"binary", std::string("\0\x01\xFF//<CFG>", 10)},
    };
    for (const auto& [name, content] : cases) {
        WriteFile("bad.kz0", content);
        prompts_.calls.clear();
        Open("bad.kz0");
        EXPECT_EQ(prompts_.Captions(), (std::vector<std::string>{"INVALID FILE"})) << name;
        EXPECT_EQ(prompts_.Boxes()[0].text, "This is not a Valid VOLTSCOPE5 CFG File") << name;
    }
    prompts_.calls.clear();
    Open("folder.kz0");
    EXPECT_EQ(prompts_.Captions(), (std::vector<std::string>{"FILE NOT OPENED"}));
    EXPECT_EQ(StoreSlot(2, 24), 4321);
    EXPECT_FALSE(Flags().fileImported);
    EXPECT_FALSE(Flags().tabsCreated);
    EXPECT_TRUE(window_.Tabs().empty());
}

TEST_F(ConfigurationFileTest, SaveNeedsTabsAndOpenNeedsTheLinkClosed) {
    window_.SaveConfigFile();
    EXPECT_EQ(prompts_.Captions(), (std::vector<std::string>{"NO FILE OPERATION DETECTED"}));
    EXPECT_EQ(prompts_.Boxes()[0].text, "ERROR");
    StartPanel(5, 410);
    InitAndConnect(5);
    prompts_.calls.clear();
    window_.OpenConfigFile();
    EXPECT_EQ(prompts_.Captions(), (std::vector<std::string>{"CONNECTION ACTIVE"}));
    EXPECT_TRUE(prompts_.OfKind("open file").empty());
}

}  // namespace
