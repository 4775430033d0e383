// Verbs that cannot do their work say so with the contract's exit code and leave no file and no
// write behind: a panel whose link register reads 0, a panel too old for maintenance records, an
// output file that cannot be written (found before the first request) and a configuration file
// with a value no register holds.
#include <sys/stat.h>

#include <filesystem>

#include "app/configuration_file.h"
#include "pages/kit/text_file.h"
#include "tests/cli/cli_fixture.h"

namespace testing_support {
namespace {

class Refusals : public CliTest {
  protected:
    PrivateWorkingDir cwd_;
};

TEST_F(Refusals, AVerbThatCannotSucceedExitsWithItsCodeAndChangesNothing) {
    WriteFile("good.kz0", WithCrLf(FormatConfigurationFile()));
    std::string backup = "//Maintenance Data\n";
    for (int reg = 219; reg <= 230; ++reg) {
        backup += "10," + std::to_string(reg) + ",1f\n";
    }
    WriteFile("backup.mn0", backup);
    std::string tooBig = WithCrLf(FormatConfigurationFile());
    tooBig.replace(tooBig.find("\r\n10,1,0\r\n"), 10, "\r\n10,1,70000\r\n");
    WriteFile("too-big.kz0", tooBig);
    struct Case {
        const char* what;
        std::vector<std::string> args;
        int exitCode;
        const char* message;  // on stderr
        uint16_t link = 1;
        unsigned version = 410;
        bool anyRequest = true;
    };
    const Case cases[] = {
        {"save, link 0", {"config-save", "out.kz0"}, 4, "link register", 0},
        {"upload, link 0", {"config-upload", "good.kz0", "--yes"}, 4, "link register", 0},
        {"report, link 0", {"report", "out.csv"}, 4, "link register", 0},
        {"backup, 4.09", {"maint-backup", "out.mn0"}, 7, "4.09 keeps no maintenance", 1, 409},
        {"restore, 4.09", {"maint-restore", "backup.mn0", "--yes"}, 7, "no maintenance", 1, 409},
        {"unwritable", {"metering-export", "no/such/out.csv"}, 6, "cannot create", 1, 410, false},
        {"read-only", {"logs-export", "good.kz0"}, 6, "read-only", 1, 410, false},
        {"70000", {"config-upload", "too-big.kz0", "--yes"}, 5, "does not fit", 1, 410, false},
    };
    ::chmod("good.kz0", 0444);
    const std::string goodBefore = ReadFile("good.kz0");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        panel_.setLinkValue(c.link);
        panel_.setSoftwareVersion(c.version);
        panel_.clearRequests();
        std::vector<std::string> args = {"--com", "5"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliResult result = Run(args);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_FALSE(std::filesystem::exists("out.kz0") || std::filesystem::exists("out.csv") ||
                     std::filesystem::exists("out.mn0"));
        const auto seen = panel_.requests();
        EXPECT_EQ(!seen.empty(), c.anyRequest) << seen.size();
        for (const sim::Request& r : seen) {
            EXPECT_NE(r.op, sim::Operation::kWrite);
        }
    }
    EXPECT_EQ(ReadFile("good.kz0"), goodBefore);
}

}  // namespace
}  // namespace testing_support
