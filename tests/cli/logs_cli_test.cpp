// logs-export run as the tool itself against the panel: the counts first, then the records
// asked for, moved onto the PC's clock with --adjust, into the page's own file.
#include <regex>

#include "tests/cli/cli_fixture.h"

namespace testing_support {
namespace {

TEST_F(CliTest, LogsExportReadsTheCountsThenTheRecordsAskedFor) {
    const std::string path = ports_.dir() + "/logs.csv";
    CliResult run = Run({"--com", "5", "logs-export", path, "--events", "3", "--adjust"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("Auto adjust log time: Would you like to Adjust log time to PC time ? "
                           "-> Yes\n"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("voltscope-cli: File Created: " + path + "\n"), std::string::npos);

    // The simulator's five events and three intervals: three events asked for, every interval.
    const std::string file = ReadFile(path);
    const std::regex layout(
        "Current PC Date:\\w{3}_\\w{3}_\\d\\d_\\d\\d_\\d\\d_\\d\\d_\\d{4}_[AP]M_log\\.csv\r\n"
        "Panel Date:,03/14/2026,Panel Time:,10:42:17\r\n"
        "Auto Adjust Time/Date Enabled\r\n"
        "Event Log\r\n\"ID\",[^\r]*\r\n"
        "1,\\d+/\\d+/\\d{4},\\d+:\\d+:\\d+,Tap Change,119\\.6,[^\r]*,N/A\r\n"
        "2,[^\r]*,N/A\r\n"
        "3,[^\r]*,118\\.5\r\n"
        "\r\nInterval Log\r\n\"ID\",[^\r]*\r\n"
        "1,[^\r]*,N/A\r\n2,[^\r]*,N/A\r\n3,[^\r]*,118\\.5\r\n");
    EXPECT_TRUE(std::regex_match(file, layout)) << file;

    std::vector<std::string> seen;
    for (const sim::Request& r : panel_.requests()) {
        seen.push_back(std::to_string(r.bank) + "/" + std::to_string(r.start));
    }
    // Refresh: the log set-up (register by register: no Connect told the page the panel's
    // version), the two counts; then the clock and both logs.
    const std::vector<std::string> expected = {"11/1",  "11/3",  "11/0",  "11/4",  "10/16", "11/5",
                                               "10/11", "11/7",  "11/7",  "11/7",  "11/41", "10/11",
                                               "11/42", "11/53", "11/64", "11/42", "11/53", "11/64",
                                               "11/42", "11/53", "11/64"};
    EXPECT_EQ(seen, expected);
}

}  // namespace
}  // namespace testing_support
