// metering-export and harmonics-export run as the tool itself against the panel: the page's
// files, and no file at all when a reply went missing after the file dialog.
#include <filesystem>

#include "tests/cli/cli_fixture.h"
#include "tests/support/private_working_dir.h"

namespace testing_support {
namespace {

TEST_F(CliTest, MeteringExportWritesThePagesFile) {
    const std::string path = ports_.dir() + "/meter.csv";
    CliResult run = Run({"--com", "5", "metering-export", path});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "voltscope-cli: File Created: " + path + "\n");
    const std::string file = ReadFile(path);
    EXPECT_EQ(file.rfind("MIN MAX Metering Info with Time Stamps,\r\n" + path +
                             "\r\nData Type,Value,Date,Time\r\nVLOAD_FWD_MIN,114.20,03/01/2026,",
                         0),
              0u)
        << file;
    EXPECT_NE(file.find("\r\n\r\n<COUNTERS>\r\nTotal Ops:,123456\r\n"), std::string::npos);
    EXPECT_EQ(file.substr(file.size() - 17), "\r\nTap position:,3");
    EXPECT_EQ(panel_.requests().size(), 7u + 11u + 2u);
}

TEST_F(CliTest, MeteringExportKeepsNoFileWhenTheDateOrderGotNoReply) {
    const std::string path = ports_.dir() + "/meter.csv";
    WriteFile(path, "an older export");
    panel_.injectFault(sim::Fault::Silence(), 1,
                       [](const sim::Request& r) { return r.bank == 10 && r.start == 11; });
    CliResult run = Run({"--com", "5", "metering-export", path});
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_NE(run.err.find("1 of 20 requests got no complete reply"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("File Created"), std::string::npos);
    EXPECT_EQ(ReadFile(path), "an older export");
}

TEST_F(CliTest, HarmonicsExportWritesThePagesFile) {
    const std::string path = ports_.dir() + "/harmonics.csv";
    CliResult run = Run({"--com", "5", "harmonics-export", path});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string file = ReadFile(path);
    EXPECT_EQ(file.rfind("\r\nHarmonics Data, " + path +
                             "\r\nData Type,Vload,VSource,Iload\r\nTHD,2.1,1.9,3.5\r\n",
                         0),
              0u)
        << file;
    std::size_t lines = 0;
    for (std::size_t at = file.find("\r\n"); at != std::string::npos;
         at = file.find("\r\n", at + 2)) {
        ++lines;
    }
    EXPECT_EQ(lines, 2u + 1u + 34u);
    EXPECT_EQ(file.substr(file.size() - 24), "\r\n31ST_RMS,0.1,0.1,0.1\r\n");
    EXPECT_EQ(panel_.requests().size(), 12u);
}

}  // namespace
}  // namespace testing_support
