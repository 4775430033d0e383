// The report verb against the simulated panel: from the panel through the tool's port, and from
// a configuration file without any port, the desktop tool's report line for line.
#include <algorithm>
#include <filesystem>

#include "app/configuration_file.h"
#include "app/main_window.h"
#include "pages/kit/text_file.h"
#include "tests/cli/cli_fixture.h"
#include "tests/support/fake_user_prompts.h"

namespace testing_support {
namespace {

class ReportVerb : public CliTest {
  protected:
    PrivateWorkingDir cwd_;
};

std::vector<std::string> AfterFirstLine(const std::string& file) {
    std::vector<std::string> lines = SplitLines(file);
    lines.erase(lines.begin());
    return lines;
}

TEST_F(ReportVerb, FromThePanelWritesTheReportOfAFreshDownload) {
    panel_.setRegister(2, 24, 1215);
    panel_.setRegister(11, 3, 125);
    CliResult result = Run({"--com", "5", "report", "panel.csv"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = SplitLines(ReadFile("panel.csv"));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], cwd_.dir() + "/panel.csv");
    for (const char* line : {"Fwd Volts:,121.5", "Interval hr:,2", "Interval min:,5"}) {
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
    }
    EXPECT_FALSE(std::filesystem::exists("conset.kzx"));  // the desktop tool's settings
}

TEST_F(ReportVerb, FromAConfigurationFileNeedsNoPortAndIsTheDesktopToolsReport) {
    StoreSlot(2, 24) = 1187;
    StoreSlot(10, 67) = 411;
    WriteFile("saved.kz0", WithCrLf(FormatConfigurationFile()));
    ResetValueStore();
    CliResult result = Run({"report", "cli.csv", "--from-config", "saved.kz0"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(BytesSoFar().empty());

    FakeUserPrompts prompts;
    prompts.answers = {PromptAnswer::kNo};
    prompts.fileNames = {"saved.kz0", "desktop.csv"};
    CRegToolDlg window(prompts);
    ASSERT_EQ(window.CreateReport(), ReportOutcome::kWritten);
    EXPECT_EQ(AfterFirstLine(ReadFile("cli.csv")), AfterFirstLine(ReadFile("desktop.csv")));
    EXPECT_EQ(SplitLines(ReadFile("cli.csv"))[0], cwd_.dir() + "/cli.csv");
    EXPECT_EQ(Run({"report", "x.csv", "--from-config", "missing.kz0"}).exitCode, 5);
    EXPECT_EQ(Run({"report", "no/such/dir/x.csv", "--from-config", "saved.kz0"}).exitCode, 6);
}

}  // namespace
}  // namespace testing_support
