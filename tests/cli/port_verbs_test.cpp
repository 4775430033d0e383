// ports and link against a private ports folder, with the simulator's pseudo-terminal (linked as
// COM5 by the fixture) and a second pseudo-terminal as the devices.
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/cli_fixture.h"

namespace testing_support {
namespace {

// The line of `out` that ends with `device`, or "" when there is none.
std::string LineFor(const std::string& out, const std::string& device) {
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.size() >= device.size() &&
            line.compare(line.size() - device.size(), device.size(), device) == 0) {
            return line;
        }
    }
    return "";
}

// "COM5,COM7  /dev/pts/3" -> "COM5,COM7".
std::string ComsOf(const std::string& line) {
    return line.substr(0, line.find(' '));
}

TEST_F(CliTest, PortsListsEveryLinkedDeviceWithItsComNumbers) {
    PtyPair spare;
    ports_.Link(9, "/dev/serial/by-id/usb-unplugged-adapter");
    CliResult listed = Run({"ports"});
    EXPECT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(ComsOf(LineFor(listed.out, panel_.devicePath())), "COM5") << listed.out;
    EXPECT_EQ(ComsOf(LineFor(listed.out, "/dev/serial/by-id/usb-unplugged-adapter (missing)")),
              "COM9");

    CliResult linked = Run({"link", "COM7", spare.slaveName()});
    EXPECT_EQ(linked.exitCode, 0) << linked.err;
    EXPECT_EQ(linked.out, "COM7  " + spare.slaveName() + "\n");
    // An old link is replaced; two numbers may name one device.
    linked = Run({"link", "com7", panel_.devicePath()});
    EXPECT_EQ(linked.exitCode, 0) << linked.err;
    listed = Run({"ports"});
    EXPECT_EQ(ComsOf(LineFor(listed.out, panel_.devicePath())), "COM5,COM7") << listed.out;
    EXPECT_EQ(LineFor(listed.out, spare.slaveName()), "");

    // The new number opens the device.
    CliResult read = Run({"--com", "7", "read", "10", "67", "1"});
    EXPECT_EQ(read.exitCode, 0) << read.err;
    EXPECT_EQ(read.out, "10,67,410\n");
}

TEST_F(CliTest, LinkRefusesWhatIsNotASerialDeviceOrNotALink) {
    const std::string notALink = serial::PortLinkPath(8);
    WriteFile(notALink, "mine");
    struct Case {
        std::vector<std::string> args;
        int exitCode;
    };
    const Case cases[] = {
        {{"link", "COM0", panel_.devicePath()}, 2},
        {{"link", "COM256", panel_.devicePath()}, 2},
        {{"link", "COMX", panel_.devicePath()}, 2},
        {{"link", "COM3", ports_.dir()}, 2},  // a directory
        {{"link", "COM3", "/dev/serial/by-id/usb-unplugged-adapter"}, 2},
        {{"link", "COM5", serial::PortLinkPath(5)}, 2},  // it would point at itself
        {{"link", "COM8", panel_.devicePath()}, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[1] + " " + c.args[2]);
        CliResult result = Run(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err, "");
    }
    EXPECT_FALSE(std::filesystem::is_symlink(serial::PortLinkPath(3)));
    EXPECT_EQ(ReadFile(notALink), "mine");
}

}  // namespace
}  // namespace testing_support
