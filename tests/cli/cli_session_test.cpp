// Whole runs of the tool against the panel: what it sends, prints, and leaves behind.
#include <sys/ioctl.h>

#include <csignal>
#include <string>
#include <vector>

#include "protocol/block_tables.h"
#include "tests/cli/cli_fixture.h"

namespace testing_support {
namespace {

size_t DumpRequests() {
    size_t n = 0;
    for (const BlockTableEntry& table : AllBlockTables()) {
        for (int b = 0; b < table.blockCount && table.blocks[b].count != 0; ++b) {
            ++n;
        }
    }
    return n;
}

TEST_F(CliTest, WriteThenReadThenDump) {
    CliResult written = Run({"--com", "5", "write", "2", "24", "0x10", "-1"});
    EXPECT_EQ(written.exitCode, 0) << written.err;
    EXPECT_EQ(written.out, "");
    EXPECT_EQ(panel_.getRegister(2, 24), 16);
    EXPECT_EQ(panel_.getRegister(2, 25), 0xFFFF);

    CliResult read = Run({"--com", "5", "read", "2", "24", "2"});
    EXPECT_EQ(read.exitCode, 0) << read.err;
    EXPECT_EQ(read.out, "2,24,16\n2,25,65535\n");

    CliResult dumped = Run({"--com", "5", "dump"});
    EXPECT_EQ(dumped.exitCode, 0) << dumped.err;
    EXPECT_NE(dumped.out.find("\n10,67,410\n"), std::string::npos);
    EXPECT_EQ(panel_.requests().size(), 2 + DumpRequests());
}

TEST_F(CliTest, DumpWithoutSomeRepliesPrintsOnlyWhatCameAndNamesWhatDidNot) {
    const RegisterBlock lost = kRegulatorBlockTable[2];
    const RegisterBlock kept = kRegulatorBlockTable[3];
    // Lost at once: a length byte of 0 ends the wait without the 1.5 s allowance.
    panel_.injectFault(sim::Fault::BadLength(0), 0, [&lost](const sim::Request& r) {
        return r.bank == lost.bank && r.start == lost.start;
    });
    CliResult dumped = Run({"--com", "5", "dump"});
    EXPECT_EQ(dumped.exitCode, 4);
    auto line = [](unsigned bank, unsigned reg, int value) {
        return "\n" + std::to_string(bank) + "," + std::to_string(reg) + "," +
               std::to_string(value) + "\n";
    };
    for (unsigned k = 0; k < lost.count; ++k) {
        const std::string prefix =
            "\n" + std::to_string(lost.bank) + "," + std::to_string(lost.start + k) + ",";
        EXPECT_EQ(dumped.out.find(prefix), std::string::npos) << prefix;
    }
    for (unsigned k = 0; k < kept.count; ++k) {
        EXPECT_NE(dumped.out.find(line(kept.bank, kept.start + k,
                                       panel_.getRegister(kept.bank, kept.start + k))),
                  std::string::npos);
    }
    const std::string named = "no complete reply to read bank " + std::to_string(lost.bank) +
                              ", start " + std::to_string(lost.start) + ", count " +
                              std::to_string(lost.count) + "\n";
    EXPECT_NE(dumped.err.find(named), std::string::npos) << dumped.err;
    EXPECT_NE(dumped.err.find("1 of " + std::to_string(DumpRequests()) + " requests"),
              std::string::npos)
        << dumped.err;
}

TEST_F(CliTest, TraceShowsEveryFrameOnStderrAndLeavesStdoutAlone) {
    panel_.setRegister(10, 122, 0x1234);
    CliResult traced = Run({"--com", "5", "--trace", "read", "10", "122", "1"});
    EXPECT_EQ(traced.exitCode, 0) << traced.err;
    EXPECT_EQ(traced.out, "10,122,4660\n");
    const size_t sent = traced.err.find(" ms  TX             read 10/122x1   05 A0 7A 01 E0\n");
    const size_t back = traced.err.find(" ms  RX complete                    05 A0 12 34 15\n");
    EXPECT_NE(sent, std::string::npos) << traced.err;
    EXPECT_NE(back, std::string::npos) << traced.err;
    EXPECT_LT(sent, back);
}

TEST_F(CliTest, SignalClosesThePortAsADisconnectDoes) {
    const int kSignals[] = {SIGINT, SIGTERM};
    for (int signalNumber : kSignals) {
        SCOPED_TRACE(signalNumber);
        panel_.clearRequests();
        panel_.clearReceivedBytes();
        panel_.injectFault(sim::Fault::Silence(), 0);
        pid_t cli = Start({"--com", "5", "dump"});
        ASSERT_TRUE(panel_.waitForRequests(1, std::chrono::seconds(10)));
        ::kill(cli, signalNumber);
        CliResult killed = Wait(cli);
        EXPECT_EQ(killed.exitCode, 128 + signalNumber);
        EXPECT_EQ(killed.out + killed.err, "");  // no values or complaints from cut-off requests
        panel_.clearFaults();

        std::vector<uint8_t> bytes = BytesUpTo(0x00);
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ(bytes.back(), 0x00);
        // Left set, the exclusive-use flag would keep anyone but root from opening the device.
        int device = ::open(panel_.devicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        int exclusive = -1;
        EXPECT_EQ(::ioctl(device, TIOCGEXCL, &exclusive), 0);
        EXPECT_EQ(exclusive, 0);
        ::close(device);
        EXPECT_EQ(OpenCommPort(kPanelCom, 9600, 1), 1) << serial::LastOpenError();
        CloseCommPort();
    }
}

}  // namespace
}  // namespace testing_support
