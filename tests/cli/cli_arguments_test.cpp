// The command line is checked whole before the port is opened: a usage error never reaches the
// panel, not even as the byte a closing port sends.
#include <string>
#include <vector>

#include "tests/cli/cli_fixture.h"

namespace testing_support {
namespace {

struct ArgumentCase {
    std::vector<std::string> args;
    int exitCode;
    bool silentPanel = false;
};

const std::vector<std::string> kSixteenValues(16, "1");

std::vector<std::string> WriteOf(std::vector<std::string> values) {
    std::vector<std::string> args{"--com", "5", "write", "1", "0"};
    args.insert(args.end(), values.begin(), values.end());
    return args;
}

const ArgumentCase kCases[] = {
    {{"--help"}, 0},
    {{"write", "--help"}, 0},
    {{"--com", "5", "--baud", "19200", "--parity", "odd", "read", "0x0a", "0X43", "1"}, 0},
    {{"read", "10", "67", "1", "--com", "5", "--address", "0"}, 4, true},
    {{"--com", "6", "read", "10", "67", "1"}, 3},
    {{"--com", "5", "--baud", "12345", "read", "1", "0", "1"}, 2},
    {{"--com", "5", "--baud", "0x2581", "dump"}, 2},
    {{"--com", "200", "read", "16", "0", "1"}, 2},
    {{"--com", "0", "dump"}, 2},
    {{"--com", "256", "dump"}, 2},
    {{"--com", "5", "--parity", "mark", "dump"}, 2},
    {{"--com", "5", "--address", "200", "dump"}, 2},
    {WriteOf({"0x-1"}), 2},
    {{"--com", "5", "read", "010x", "0", "1"}, 2},
    {{"--com", "5", "read", "1", "0", "16"}, 2},
    {{"--com", "5", "read", "1", "250", "7"}, 2},
    {{"--com", "5", "read", "1", "0"}, 2},
    {WriteOf({"abc"}), 2},
    {WriteOf({"65536"}), 2},
    {WriteOf({}), 2},
    {WriteOf(kSixteenValues), 2},
    {{"--com", "5", "write", "1", "250", "1", "2", "3", "4", "5", "6", "7"}, 2},
    {{"--com", "5", "dump", "extra"}, 2},
    {{"--com", "5", "frobnicate"}, 2},
    {{"--com", "5"}, 2},
    {{"read", "1", "0", "1"}, 2},
};

std::string Joined(const std::vector<std::string>& args) {
    std::string text = "voltscope-cli";
    for (const std::string& a : args) {
        text += " " + a;
    }
    return text;
}

TEST_F(CliTest, ExitCodeOfEachCommandLine) {
    ports_.Link(6, ports_.dir() + "/no-such-device");
    for (const ArgumentCase& c : kCases) {
        SCOPED_TRACE(Joined(c.args));
        BytesSoFar();
        if (c.silentPanel) {
            panel_.injectFault(sim::Fault::Silence(), 0);
        }
        CliResult result = Run(c.args);
        panel_.clearFaults();
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        if (c.exitCode == 2) {
            EXPECT_EQ(BytesSoFar(), std::vector<uint8_t>{});
        }
    }
}

}  // namespace
}  // namespace testing_support
