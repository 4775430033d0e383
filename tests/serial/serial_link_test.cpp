#include "serial/serial_link.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <termios.h>

#include <atomic>
#include <future>
#include <memory>
#include <mutex>
#include <numeric>
#include <thread>

#include "serial/line_settings.h"
#include "serial/open_failure.h"
#include "serial/port_name.h"
#include "tests/support/bytes.h"
#include "tests/support/diagnostic_log.h"
#include "tests/support/pty_pair.h"

using namespace std::chrono_literals;
using testing_support::Bytes;
using testing_support::DiagnosticLog;
using testing_support::PrivatePortsFolder;
using testing_support::PtyPair;

namespace {

constexpr unsigned kCom = 7;

int OpenFileDescriptors() {
    int count = 0;
    DIR* dir = ::opendir("/proc/self/fd");
    while (dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.')
            ++count;
    }
    ::closedir(dir);
    return count;
}

// Waits until the receive buffer holds `count` bytes (or a generous bound passes).
bool WaitForFill(int count) {
    auto deadline = std::chrono::steady_clock::now() + 3s;
    while (std::chrono::steady_clock::now() < deadline) {
        if (serial::ReceiveState().fillCount >= count)
            return true;
        std::this_thread::sleep_for(2ms);
    }
    return false;
}

class SerialLinkTest : public ::testing::Test {
  protected:
    void SetUp() override { ports_.Link(kCom, pty_.slaveName()); }
    void TearDown() override {
        CloseCommPort();
        serial::SetLineErrorSource(nullptr);
        serial::SetRxErrorNotifier(nullptr);
        serial::SetRxEndNotifier(nullptr);
        serial::SetOutputQueueSource(nullptr);
    }
    bool Open(int parity = 1, unsigned baud = 9600) {
        return OpenCommPort(kCom, baud, parity) == 1;
    }

    PrivatePortsFolder ports_;
    PtyPair pty_;
    DiagnosticLog diagnostics_;
};

}  // namespace

TEST(PortNames, ComNumberResolvesThroughThePortsFolderThenTtyS) {
    PrivatePortsFolder ports;
    EXPECT_EQ(serial::PortsFolder(), ports.dir() + "/voltscope/ports");
    EXPECT_EQ(serial::ResolveComPort(5), "/dev/ttyS4");
    EXPECT_EQ(serial::ResolveComPort(1), "/dev/ttyS0");
    ports.Link(5, "/dev/null");
    EXPECT_EQ(serial::ResolveComPort(5), ports.dir() + "/voltscope/ports/com5");
    // A link whose device is gone still names the port the user chose.
    ports.Link(6, "/dev/serial/by-id/unplugged-adapter");
    EXPECT_EQ(serial::ResolveComPort(6), serial::PortLinkPath(6));
}

TEST(PortOpening, MissingDeviceFailsAndSaysWhy) {
    PrivatePortsFolder ports;
    ports.Link(3, "/dev/serial/by-id/unplugged-adapter");
    DiagnosticLog log;
    EXPECT_EQ(OpenCommPort(3, 9600, 1), 0);
    EXPECT_FALSE(serial::IsPortOpen());
    EXPECT_EQ(serial::LastOpenError(), "no such device: " + serial::PortLinkPath(3) +
                                           " points to /dev/serial/by-id/unplugged-adapter, "
                                           "which does not exist");
    EXPECT_NE(log.text().find("no such device"), std::string::npos);
    // Every operation on a closed link reports failure and touches nothing.
    uint8_t byte = 0;
    EXPECT_EQ(GetReceivedByte(&byte), 0);
    EXPECT_EQ(FlushReceiveBuffer(), 0);
    EXPECT_EQ(WaitTransmitDrain(), 0);
    EXPECT_EQ(WriteCommBytes(&byte, 1), 0);
    EXPECT_EQ(CloseCommPort(), 0);
}

TEST(PortOpening, PermissionDeniedSuggestsDialoutOnlyWhereItHelps) {
    struct Case {
        serial::DeviceAccess access;
        std::string expected;
    };
    const Case cases[] = {
        {{"root", "dialout", 020660, false},
         "permission denied: /dev/ttyUSB0 (owner root, group dialout, mode 0660): add your user "
         "to the dialout group and log in again"},
        {{"root", "dialout", 020600, true},
         "permission denied: /dev/ttyUSB0 (owner root, group dialout, mode 0600)"},
        {{"root", "root", 020600, false},
         "permission denied: /dev/ttyUSB0 (owner root, group root, mode 0600)"},
        {{"1001", "uucp", 020660, false},
         "permission denied: /dev/ttyUSB0 (owner 1001, group uucp, mode 0660)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(serial::PermissionDeniedText("/dev/ttyUSB0", c.access), c.expected);
    }
}

TEST(PortOpening, NotASerialDeviceIsRefused) {
    PrivatePortsFolder ports;
    ports.Link(4, "/dev/null");
    EXPECT_EQ(OpenCommPort(4, 9600, 1), 0);
    EXPECT_NE(serial::LastOpenError().find("not a serial port"), std::string::npos);
}

TEST_F(SerialLinkTest, PortHeldByAnotherProgramIsBusy) {
    int other = ::open(pty_.slaveName().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
    EXPECT_FALSE(Open());
    EXPECT_FALSE(serial::IsPortOpen());
    EXPECT_NE(serial::LastOpenError().find("busy"), std::string::npos);
    ::close(other);
    EXPECT_TRUE(Open());
}

TEST(LineSettings, ParityCodeZeroIsNoneTwoIsOddAnyOtherEven) {
    struct Case {
        int parity;
        tcflag_t expected;
    };
    for (Case c : {Case{0, 0}, Case{1, PARENB}, Case{2, PARENB | PARODD}, Case{3, PARENB}}) {
        termios tio{};
        tio.c_cflag = CSTOPB | CRTSCTS | CS7 | PARODD;
        tio.c_iflag = IXON | IXOFF | ICRNL | INPCK;
        tio.c_lflag = ICANON | ECHO;
        serial::ApplyLineSettings(tio, B2400, c.parity);
        EXPECT_EQ(tio.c_cflag & (PARENB | PARODD), c.expected) << "parity code " << c.parity;
        EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
        EXPECT_EQ(tio.c_cflag & (CSTOPB | CRTSCTS), 0u);
        EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL), 0u);
        EXPECT_EQ(tio.c_iflag & INPCK, static_cast<tcflag_t>(INPCK)) << "left as it was";
        EXPECT_EQ(tio.c_lflag & (ICANON | ECHO), 0u);
        EXPECT_EQ(::cfgetospeed(&tio), static_cast<speed_t>(B2400));
    }
    EXPECT_FALSE(serial::SpeedFor(12345).has_value());
    for (unsigned baud : {300u, 1200u, 2400u, 4800u, 9600u, 19200u}) {
        EXPECT_TRUE(serial::SpeedFor(baud).has_value()) << baud;
    }
}

TEST_F(SerialLinkTest, OpeningAppliesTheLineSettingsToTheDevice) {
    // A pseudo-terminal keeps the speed and the odd-parity flag it is given (it forces parity
    // itself off), which is enough to see the settings reach the device.
    ASSERT_TRUE(Open(2, 2400));
    termios tio{};
    int probe = ::open(pty_.slaveName().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(probe, 0);
    ::tcgetattr(probe, &tio);
    ::close(probe);
    EXPECT_EQ(tio.c_cflag & PARODD, static_cast<tcflag_t>(PARODD));
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO), 0u);
    EXPECT_EQ(::cfgetospeed(&tio), static_cast<speed_t>(B2400));
    CloseCommPort();
    EXPECT_EQ(OpenCommPort(kCom, 12345, 1), 0);
    EXPECT_NE(serial::LastOpenError().find("baud"), std::string::npos);
}

TEST_F(SerialLinkTest, WhatAPseudoTerminalLacksIsOnlyADiagnostic) {
    ASSERT_TRUE(Open());
    const std::string text = diagnostics_.text();
    EXPECT_NE(text.find("DTR not changed"), std::string::npos);
    // It has no low-latency mode to ask for: one line says so.
    const size_t lowLatency = text.find("low-latency mode not set: ");
    EXPECT_NE(lowLatency, std::string::npos) << text;
    EXPECT_EQ(text.find("low-latency", lowLatency + 1), std::string::npos) << text;
    EXPECT_TRUE(serial::IsPortOpen());
}

TEST_F(SerialLinkTest, BytesAreHandedOutInArrivalOrderUntilTheBufferIsEmpty) {
    ASSERT_TRUE(Open());
    uint8_t byte = 0xEE;
    EXPECT_EQ(GetReceivedByte(&byte), 0);
    pty_.Send(Bytes({0x05, 0xA0, 0x12, 0x34, 0x15}));
    ASSERT_TRUE(WaitForFill(5));
    std::vector<uint8_t> got;
    while (GetReceivedByte(&byte) == 1)
        got.push_back(byte);
    EXPECT_EQ(got, Bytes({0x05, 0xA0, 0x12, 0x34, 0x15}));
    auto state = serial::ReceiveState();
    EXPECT_EQ(state.fillCount, 5);
    EXPECT_EQ(state.readPosition, 5);

    EXPECT_EQ(FlushReceiveBuffer(), 1);
    state = serial::ReceiveState();
    EXPECT_EQ(state.fillCount, 0);
    EXPECT_EQ(state.readPosition, 0);
    uint8_t copy[16];
    serial::CopyReceiveBuffer(copy, 16);
    EXPECT_EQ(std::accumulate(copy, copy + 16, 0), 0) << "a flush zeroes the buffer";
}

TEST_F(SerialLinkTest, SixHundredBytesKeepTheFirstFiveHundredTwelve) {
    ASSERT_TRUE(Open());
    std::vector<uint8_t> flood(600);
    for (size_t i = 0; i < flood.size(); ++i)
        flood[i] = static_cast<uint8_t>(i * 7 + 1);
    pty_.Send(flood);
    ASSERT_TRUE(WaitForFill(512));
    std::this_thread::sleep_for(100ms);  // let the rest arrive, to be dropped
    EXPECT_EQ(serial::ReceiveState().fillCount, 512);
    uint8_t byte = 0;
    for (int i = 0; i < 512; ++i) {
        ASSERT_EQ(GetReceivedByte(&byte), 1);
        ASSERT_EQ(byte, flood[static_cast<size_t>(i)]) << "byte " << i;
    }
    EXPECT_EQ(GetReceivedByte(&byte), 0);
    EXPECT_EQ(serial::WaitReceivedByte(&byte, 50ms), 0);
}

TEST_F(SerialLinkTest, WaitingForAByteEndsWhenItArrivesAndItsArrivalIsTimeStamped) {
    ASSERT_TRUE(Open());
    auto sender = std::async(std::launch::async, [&] {
        std::this_thread::sleep_for(50ms);
        const auto sentAt = std::chrono::steady_clock::now();
        pty_.Send(Bytes({0x42}));
        return sentAt;
    });
    uint8_t byte = 0;
    EXPECT_EQ(serial::WaitReceivedByte(&byte, 5000ms), 1);
    const auto takenAt = std::chrono::steady_clock::now();
    EXPECT_EQ(byte, 0x42);
    const auto sentAt = sender.get();
    // The turnaround bench measures from this stamp: it must be the byte's, not the opening's.
    EXPECT_GE(serial::LastArrival(), sentAt);
    EXPECT_LE(serial::LastArrival(), takenAt);
}

TEST_F(SerialLinkTest, WritesReachTheLineAndTheDrainReturnsAtOnceWhenEmpty) {
    ASSERT_TRUE(Open());
    const auto frame = Bytes({0x05, 0xA0, 0x7A, 0x01, 0xE0});
    EXPECT_NE(WriteCommBytes(frame.data(), static_cast<uint8_t>(frame.size())), 0);
    EXPECT_EQ(WaitTransmitDrain(), 1);
    EXPECT_EQ(pty_.Receive(500ms, frame.size()), frame);
}

TEST_F(SerialLinkTest, CloseSendsOneZeroByteAndASecondCloseDoesNothing) {
    ASSERT_TRUE(Open());
    pty_.Receive(20ms);
    EXPECT_NE(CloseCommPort(), 0);
    EXPECT_FALSE(serial::IsPortOpen());
    EXPECT_EQ(pty_.Receive(300ms), Bytes({0x00}));
    EXPECT_EQ(CloseCommPort(), 0);
    EXPECT_TRUE(pty_.Receive(100ms).empty());
    EXPECT_EQ(diagnostics_.text().find("failed to terminate"), std::string::npos);
}

TEST_F(SerialLinkTest, RepeatedOpenAndCloseLeaksNothingAndKeepsWorking) {
    ASSERT_TRUE(Open());
    CloseCommPort();
    const int before = OpenFileDescriptors();
    for (int cycle = 0; cycle < 40; ++cycle) {
        ASSERT_TRUE(Open()) << "cycle " << cycle;
        pty_.Send(Bytes({cycle}));
        uint8_t byte = 0;
        ASSERT_EQ(serial::WaitReceivedByte(&byte, 2000ms), 1);
        EXPECT_EQ(byte, cycle);
        ASSERT_NE(CloseCommPort(), 0);
    }
    EXPECT_EQ(OpenFileDescriptors(), before);
    EXPECT_EQ(diagnostics_.text().find("failed to terminate"), std::string::npos);
}

TEST_F(SerialLinkTest, OpeningAnOpenLinkReplacesItInsteadOfLeakingIt) {
    ASSERT_TRUE(Open());
    CloseCommPort();
    const int before = OpenFileDescriptors();
    ASSERT_TRUE(Open());
    ASSERT_TRUE(Open());
    CloseCommPort();
    EXPECT_EQ(OpenFileDescriptors(), before);
}

TEST_F(SerialLinkTest, CloseWhileARequestWaitsWakesTheWaiter) {
    ASSERT_TRUE(Open());
    auto waiter = std::async(std::launch::async, [] {
        uint8_t byte = 0;
        auto start = std::chrono::steady_clock::now();
        int got = serial::WaitReceivedByte(&byte, 1500ms);
        return std::make_pair(got, std::chrono::steady_clock::now() - start);
    });
    std::this_thread::sleep_for(100ms);
    EXPECT_NE(CloseCommPort(), 0);
    ASSERT_EQ(waiter.wait_for(5s), std::future_status::ready) << "the waiter hangs";
    auto [got, waited] = waiter.get();
    EXPECT_EQ(got, 0);
    EXPECT_LT(waited, 1500ms) << "close should end the wait, not the allowance";
}

TEST_F(SerialLinkTest, VanishingDeviceEndsTheReceiveThreadWithoutAHang) {
    ASSERT_TRUE(Open());
    auto waiter = std::async(std::launch::async, [] {
        uint8_t byte = 0;
        return serial::WaitReceivedByte(&byte, 1500ms);
    });
    std::this_thread::sleep_for(50ms);
    pty_.CloseAll();
    ASSERT_EQ(waiter.wait_for(5s), std::future_status::ready);
    EXPECT_EQ(waiter.get(), 0);
    const uint8_t frame[] = {0x05, 0xA0, 0x7A, 0x01, 0xE0};
    EXPECT_EQ(WriteCommBytes(frame, sizeof frame), 0);
    FlushReceiveBuffer();
    WaitTransmitDrain();
    auto closing = std::async(std::launch::async, [] { return CloseCommPort(); });
    ASSERT_EQ(closing.wait_for(5s), std::future_status::ready) << "close hangs";
    closing.get();
    EXPECT_FALSE(serial::IsPortOpen());
    EXPECT_NE(diagnostics_.text().find("end rxthread"), std::string::npos);
}

TEST_F(SerialLinkTest, FramingErrorEmptiesTheBufferAfterReportingIt) {
    std::atomic<uint32_t> nextErrors{0};
    serial::SetLineErrorSource([&](int) { return nextErrors.exchange(0); });
    std::atomic<uint32_t> reported{0};
    serial::SetRxErrorNotifier([&](uint32_t errors) { reported = errors; });
    ASSERT_TRUE(Open());
    pty_.Send(Bytes({1, 2, 3, 4}));
    ASSERT_TRUE(WaitForFill(4));
    uint8_t byte = 0;
    ASSERT_EQ(GetReceivedByte(&byte), 1);

    nextErrors = serial::kErrFrame;
    pty_.Send(Bytes({9}));
    auto deadline = std::chrono::steady_clock::now() + 3s;
    while (reported == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(2ms);
    }
    EXPECT_EQ(reported.load(), serial::kErrFrame);
    auto state = serial::ReceiveState();
    EXPECT_EQ(state.fillCount, 0);
    EXPECT_EQ(state.readPosition, 0);
    EXPECT_EQ(state.lineErrors, 0u);

    pty_.Send(Bytes({7}));
    ASSERT_EQ(serial::WaitReceivedByte(&byte, 2000ms), 1) << "the link carries on after it";
    EXPECT_EQ(byte, 7);
}

TEST_F(SerialLinkTest, BreakKeepsTheBufferAndDiscardsWhatTheDriverHeld) {
    std::atomic<uint32_t> nextErrors{0};
    serial::SetLineErrorSource([&](int) { return nextErrors.exchange(0); });
    std::atomic<int> reports{0};
    serial::SetRxErrorNotifier([&](uint32_t) { ++reports; });
    ASSERT_TRUE(Open());
    pty_.Send(Bytes({1, 2, 3}));
    ASSERT_TRUE(WaitForFill(3));

    nextErrors = serial::kErrBreak;
    pty_.Send(Bytes({8, 8}));
    auto deadline = std::chrono::steady_clock::now() + 3s;
    while (reports == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(2ms);
    }
    ASSERT_EQ(reports.load(), 1);
    std::this_thread::sleep_for(50ms);
    auto state = serial::ReceiveState();
    EXPECT_EQ(state.fillCount, 3);
    EXPECT_EQ(state.lineErrors, serial::kErrBreak);
}

TEST_F(SerialLinkTest, FlushesRacingABurstNeitherEndNorStallTheReceiveThread) {
    // A flush that empties the driver between the thread's poll and its read leaves it nothing
    // to read; that is no reason to think the device has gone.
    std::atomic<int> ends{0};
    serial::SetRxEndNotifier([&] { ++ends; });
    ASSERT_TRUE(Open());
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        const std::vector<uint8_t> burst(24, 0xAA);
        while (!stop) {
            pty_.Send(burst);
            std::this_thread::yield();
        }
    });
    const auto until = std::chrono::steady_clock::now() + 2s;
    while (std::chrono::steady_clock::now() < until) {
        FlushReceiveBuffer();
    }
    stop = true;
    writer.join();
    EXPECT_EQ(ends.load(), 0) << diagnostics_.text();

    FlushReceiveBuffer();
    pty_.Send(Bytes({0x55}));
    uint8_t byte = 0;
    bool marker = false;
    while (!marker && serial::WaitReceivedByte(&byte, 2000ms) == 1) {
        marker = byte == 0x55;
    }
    EXPECT_TRUE(marker) << "the next byte never reached the receive buffer";
}

TEST_F(SerialLinkTest, LineErrorsInFlushedBytesAreNotReported) {
    std::atomic<uint32_t> pendingErrors{0};
    serial::SetLineErrorSource([&](int) { return pendingErrors.exchange(0); });
    std::atomic<int> reports{0};
    serial::SetRxErrorNotifier([&](uint32_t) { ++reports; });
    ASSERT_TRUE(Open());
    pty_.Send(Bytes({1}));
    uint8_t byte = 0;
    ASSERT_EQ(serial::WaitReceivedByte(&byte, 2000ms), 1) << "the thread has taken its baseline";
    pendingErrors = serial::kErrFrame;
    ASSERT_EQ(FlushReceiveBuffer(), 1);
    pty_.Send(Bytes({7}));
    ASSERT_EQ(serial::WaitReceivedByte(&byte, 2000ms), 1);
    EXPECT_EQ(byte, 7);
    EXPECT_EQ(reports.load(), 0);
}

TEST_F(SerialLinkTest, TransmitDrainWaitsForTheQueueButNotForever) {
    struct Case {
        std::vector<int> queueCounts;  // the last one repeats
        int expected;
    };
    const Case cases[] = {
        {{0}, 1}, {{12, 7, 1, 0}, 1}, {{5}, 0},  // a wedged adapter never empties its queue
    };
    ASSERT_TRUE(Open());
    for (const Case& c : cases) {
        auto counts = std::make_shared<std::vector<int>>(c.queueCounts);
        serial::SetOutputQueueSource([counts](int) {
            int n = counts->front();
            if (counts->size() > 1)
                counts->erase(counts->begin());
            return n;
        });
        auto drain = std::async(std::launch::async, [] { return WaitTransmitDrain(); });
        ASSERT_EQ(drain.wait_for(10s), std::future_status::ready) << "the drain hangs";
        EXPECT_EQ(drain.get(), c.expected) << "starting with " << c.queueCounts.front();
    }
}

TEST_F(SerialLinkTest, LineIsQuietOnlyOnceBytesStopComing) {
    struct Case {
        bool chatter;  // bytes keep arriving all through the wait
        bool expectQuiet;
    };
    ASSERT_TRUE(Open());
    for (Case c : {Case{false, true}, Case{true, false}}) {
        std::atomic<bool> stop{false};
        std::thread sender([&] {
            while (c.chatter && !stop) {
                pty_.Send(Bytes({0xAA}));
                std::this_thread::sleep_for(1ms);
            }
        });
        uint8_t byte = 0;
        EXPECT_EQ(serial::WaitReceivedByte(&byte, 50ms) == 1, c.chatter) << "chatter under way";
        // The gap is far beyond the sender's pace, so only a stopped line counts as quiet.
        EXPECT_EQ(serial::WaitLineQuiet(200ms, 600ms), c.expectQuiet) << "chatter " << c.chatter;
        stop = true;
        sender.join();
    }
    CloseCommPort();
    EXPECT_TRUE(serial::WaitLineQuiet(200ms, 600ms)) << "a closed port waits for nothing";
}
