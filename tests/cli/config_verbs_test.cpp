// The configuration-file verbs against the simulated panel: a file saved from the shell is the
// file the desktop tool saves after Connect, an upload needs --yes and a valid file before a
// byte goes to the panel.
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

}  // namespace
}  // namespace testing_support
