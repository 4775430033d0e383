// The configuration-file verbs against the simulated panel: a file saved from the shell is the
// file the desktop tool saves after Connect, an upload needs --yes and a valid file before a
// byte goes to the panel, and config-diff lists what differs as the pages show it.
#include "app/configuration_file.h"
#include "app/main_window.h"
#include "pages/kit/list_selection.h"
#include "pages/kit/text_file.h"
#include "resources/ids/main_window.h"
#include "tests/cli/cli_fixture.h"
#include "tests/support/fake_user_prompts.h"

namespace testing_support {
namespace {

class ConfigVerbs : public CliTest {
  protected:
    PrivateWorkingDir cwd_;
};

TEST_F(ConfigVerbs, SaveFromTheShellIsTheDesktopToolsFileByteForByte) {
    panel_.setRegister(2, 24, 1187);
    CliResult saved = Run({"--com", "5", "config-save", "cli.kz0"});
    ASSERT_EQ(saved.exitCode, 0) << saved.err;

    FakeUserPrompts prompts;
    prompts.fileNames = {"desktop.kz0"};
    prompts.answers.assign(4, PromptAnswer::kYes);
    CRegToolDlg window(prompts);
    window.OnInitDialog();
    ASSERT_TRUE(SelectByPrefix(window.Form()[ids::window::kCommPort], "05"));
    window.OnSelectionChanged(ids::window::kCommPort);
    window.OnConnectButton();
    ASSERT_TRUE(Flags().connected);
    window.SaveConfigFile();
    EXPECT_EQ(ReadFile("cli.kz0"), ReadFile("desktop.kz0"));
    EXPECT_NE(ReadFile("cli.kz0").find("\r\n2,24,1187\r\n"), std::string::npos);
}

TEST_F(ConfigVerbs, UploadNeedsYesAndAValidFileBeforeAnyByteGoesOut) {
    StoreSlot(2, 24) = 1216;
    WriteFile("good.kz0", WithCrLf(FormatConfigurationFile()));
    WriteFile("bad.kz0", "//<CFG>\r\n10,120,1\r\n");
    struct Case {
        std::vector<std::string> args;
        int exitCode;
    };
    const Case refused[] = {
        {{"--com", "5", "config-upload", "good.kz0"}, 2},
        {{"--com", "5", "config-upload", "bad.kz0", "--yes"}, 5},
        {{"--com", "5", "config-upload", "missing.kz0", "--yes"}, 5},
    };
    for (const Case& c : refused) {
        CliResult result = Run(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args[3] << result.err;
        EXPECT_TRUE(BytesSoFar().empty()) << c.args[3];
    }
    EXPECT_EQ(Run({"config-check", "good.kz0"}).exitCode, 0);
    EXPECT_EQ(Run({"config-check", "bad.kz0"}).exitCode, 5);

    CliResult sent = Run({"--com", "5", "config-upload", "good.kz0", "--yes"});
    EXPECT_EQ(sent.exitCode, 0) << sent.err;
    EXPECT_EQ(panel_.getRegister(2, 24), 1216);
}

struct Slot {
    unsigned bank, reg;
    int32_t value;
};

// `file`'s settings but for `changes`, as a configuration file.
std::string ChangedFile(const std::string& file, const std::vector<Slot>& changes) {
    std::string problem;
    const auto values = ParseConfigurationFile(ReadFile(file), &problem);
    EXPECT_TRUE(values) << problem;
    StoreConfigurationValues(values.value_or(std::vector<int32_t>{}));
    for (const Slot& s : changes) {
        StoreSlot(s.bank, s.reg) = s.value;
    }
    return WithCrLf(FormatConfigurationFile());
}

TEST_F(ConfigVerbs, DiffListsTheDifferingSettingsAsThePagesShowThem) {
    for (const Slot& s : std::vector<Slot>{
             {10, 120, 1}, {2, 24, 1200}, {11, 1, 0x159F}, {11, 200, 0x3838}, {11, 201, 0x3337}}) {
        panel_.setRegister(s.bank, s.reg, static_cast<uint16_t>(s.value));
    }
    ASSERT_EQ(Run({"--com", "5", "config-save", "panel.kz0"}).exitCode, 0);
    // A list, a scaled number, an On/Off bit and a password.
    WriteFile(
        "changed.kz0",
        ChangedFile(
            "panel.kz0",
            {{10, 120, 3}, {2, 24, 1235}, {11, 1, 0x159E}, {11, 200, 0x4142}, {11, 201, 0x4344}}));
    WriteFile("bad.kz0", "//<CFG>\r\n10,120,1\r\n");
    const std::string rows =
        "<CONFIGURE>,Tap Chngr:,GE,COOP SD,10/120\n"
        "<REGULATOR>,Fwd Volts:,120.0,123.5,2/24\n"
        "<LOG SETUP>,Log Event:,ON,OFF,11/1\n";
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string out;
    };
    const Case cases[] = {
        {{"--com", "5", "config-diff", "panel.kz0"},
         0,
         "Section,Setting,panel,panel.kz0,Bank/Register\n"},
        {{"--com", "5", "config-diff", "changed.kz0"},
         1,
         "Section,Setting,panel,changed.kz0,Bank/Register\n" + rows +
             "<PASSWORDS>,Level 1 PW:,(differs),(differs),11/200\n"},
        {{"--com", "5", "config-diff", "changed.kz0", "--show-passwords"},
         1,
         "Section,Setting,panel,changed.kz0,Bank/Register\n" + rows +
             "<PASSWORDS>,Level 1 PW:,8837,ABCD,11/200\n"},
        // Two files need no port.
        {{"config-diff", "panel.kz0", "changed.kz0"},
         1,
         "Section,Setting,panel.kz0,changed.kz0,Bank/Register\n" + rows +
             "<PASSWORDS>,Level 1 PW:,(differs),(differs),11/200\n"},
        // An invalid file: nothing goes to the panel.
        {{"--com", "5", "config-diff", "bad.kz0"}, 5, ""},
        {{"config-diff", "panel.kz0", "bad.kz0"}, 5, ""},
    };
    for (const Case& c : cases) {
        BytesSoFar();
        const CliResult result = Run(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args.back() << result.err;
        EXPECT_EQ(result.out, c.out) << c.args.back();
        if (c.exitCode == 5 || c.args[0] != "--com") {
            EXPECT_TRUE(BytesSoFar().empty()) << c.args.back();
        }
    }
}

}  // namespace
}  // namespace testing_support
