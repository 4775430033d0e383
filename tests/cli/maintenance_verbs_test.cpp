// maint-backup and maint-restore run as processes against the simulated panel: a backup taken
// from one panel restored into another, and the exit code of each way they refuse.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/cli/cli_fixture.h"

namespace testing_support {
namespace {

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<uint16_t> Counters(sim::PtyPanel& panel) {
    std::vector<uint16_t> values;
    for (unsigned reg = 219; reg <= 230; ++reg) {
        values.push_back(panel.getRegister(10, reg));
    }
    return values;
}

bool AnyWrite(const std::vector<sim::Request>& requests) {
    for (const auto& r : requests) {
        if (r.op == sim::Operation::kWrite) {
            return true;
        }
    }
    return false;
}

TEST_F(CliTest, MaintenanceBackupRestoresIntoAnotherPanel) {
    const std::string file = ports_.dir() + "/old.mn0";
    CliResult backup = Run({"--com", "5", "maint-backup", file});
    ASSERT_EQ(backup.exitCode, 0) << backup.err;
    EXPECT_EQ(backup.out, "");
    const std::string bytes = FileBytes(file);
    EXPECT_EQ(bytes.rfind("//Maintenance Data\r\n10,219,", 0), 0u) << bytes;
    EXPECT_EQ(bytes.substr(bytes.size() - 20), "\r\n//Maintenance Data");
    const std::vector<uint16_t> old = Counters(panel_);

    for (unsigned reg = 219; reg <= 230; ++reg) {
        panel_.setRegister(10, reg, 0);
    }
    panel_.clearRequests();
    CliResult restore = Run({"--com", "5", "maint-restore", file, "--yes"});
    ASSERT_EQ(restore.exitCode, 0) << restore.err;
    EXPECT_NE(restore.err.find("REBOOT PANEL"), std::string::npos) << restore.err;
    std::vector<uint16_t> expected = old;
    expected[1] = *std::max_element(old.begin() + 1, old.end());  // contacts overall
    EXPECT_EQ(Counters(panel_), expected);
}

TEST_F(CliTest, MaintenanceVerbsRefuseWithTheContractsExitCodes) {
    const std::string dir = ports_.dir();
    std::ofstream(dir + "/foreign.mn0") << "//Config Data\n10,219,0\n";
    struct Case {
        const char* what;
        std::vector<std::string> args;
        int exitCode;
        const char* message;  // on stderr
        bool silentCounters = false;
        bool recordsOff = false;
    };
    const Case kCases[] = {
        {"no --yes", {"maint-restore", dir + "/foreign.mn0"}, 2, "--yes"},
        {"invalid file",
         {"maint-restore", dir + "/foreign.mn0", "--yes"},
         5,
         "not a valid maintenance data file"},
        {"records off",
         {"maint-backup", dir + "/off.mn0"},
         7,
         "MaintainRcrds? is set to N",
         false,
         true},
        {"silent panel", {"maint-backup", dir + "/silent.mn0"}, 4, "no complete reply", true},
        {"unwritable", {"maint-backup", dir + "/no/such/folder.mn0"}, 6, "cannot create"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        panel_.setRegister(10, 209, c.recordsOff ? 0 : 1);
        if (c.silentCounters) {
            panel_.injectFault(sim::Fault::Silence(), 1,
                               [](const sim::Request& r) { return r.start == 219; });
        }
        panel_.clearRequests();
        std::vector<std::string> args = {"--com", "5"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        CliResult result = Run(args);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_FALSE(AnyWrite(panel_.requests()));
        panel_.clearFaults();
    }
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (name.ends_with(".mn0") || name.ends_with(".tmp")) {
            left.push_back(name);
        }
    }
    EXPECT_EQ(left, std::vector<std::string>{"foreign.mn0"});
}

}  // namespace
}  // namespace testing_support
