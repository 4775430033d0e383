// The simulated panel over a real pseudo-terminal, seen from a plain POSIX serial client.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "serial/port_name.h"
#include "sim/pty_panel.h"
#include "tests/sim/frame_helpers.h"

namespace {

using namespace std::chrono_literals;
using simtest::ValueAt;
using simtest::WithChecksum;

// "It ended" bound: far beyond anything the panel takes.
constexpr int kGenerousMs = 5000;

class Port {
  public:
    explicit Port(const std::string& path) {
        fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (fd_ >= 0) {
            termios tio{};
            ::tcgetattr(fd_, &tio);
            ::cfmakeraw(&tio);
            ::tcsetattr(fd_, TCSANOW, &tio);
        }
    }
    ~Port() { Close(); }
    bool ok() const { return fd_ >= 0; }
    void Close() {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    void Write(const std::vector<std::uint8_t>& bytes) {
        ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // Reads until `n` bytes came or nothing came for `quietMs`.
    std::vector<std::uint8_t> Read(std::size_t n, int quietMs = kGenerousMs) {
        std::vector<std::uint8_t> got;
        while (got.size() < n) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, quietMs) <= 0 || (p.revents & POLLIN) == 0) {
                break;
            }
            std::uint8_t buf[64];
            ssize_t r = ::read(fd_, buf, std::min(sizeof buf, n - got.size()));
            if (r <= 0) {
                break;
            }
            got.insert(got.end(), buf, buf + r);
        }
        return got;
    }
    // What has arrived so far, without waiting.
    std::vector<std::uint8_t> Pending() { return Read(1000, 0); }
    int fd() const { return fd_; }

  private:
    int fd_ = -1;
};

const std::vector<std::uint8_t> kReadFullLoadCurrent = {0x05, 0xA0, 0x7A, 0x01, 0xE0};

TEST(PanelOverPty, AnswersAReadAndLogsWhatItReceived) {
    sim::PtyPanel panel;
    panel.setRegister(10, 122, 0x1234);
    Port port(panel.devicePath());
    ASSERT_TRUE(port.ok()) << panel.devicePath();
    port.Write(kReadFullLoadCurrent);
    auto reply = port.Read(5);
    ASSERT_EQ(reply.size(), 5u);
    EXPECT_EQ(ValueAt(reply, 0), 0x1234u);

    // The client closes the port the way the tool does: a lone zero byte, then close.
    port.Write({0x00});
    port.Close();
    Port again(panel.devicePath());
    ASSERT_TRUE(again.ok());
    again.Write(WithChecksum({0x05, 0xB0, 0xEF, 0x01}));
    auto link = again.Read(5);
    ASSERT_EQ(link.size(), 5u);
    EXPECT_NE(ValueAt(link, 0), 0u);

    ASSERT_TRUE(panel.waitForRequests(2, std::chrono::milliseconds(kGenerousMs)));
    auto requests = panel.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].raw, kReadFullLoadCurrent);
    EXPECT_TRUE(requests[0].answered);
    EXPECT_EQ(requests[1].bank, 11u);
    EXPECT_EQ(requests[1].start, 239u);
    auto bytes = panel.receivedBytes();
    ASSERT_EQ(bytes.size(), 11u);
    EXPECT_EQ(bytes[5], 0x00);  // the closing byte, outside any frame
}

TEST(PanelOverPty, PacedReplyTakesAtLeastItsWireTime) {
    sim::PtyPanel panel({9600, -1, true});
    Port port(panel.devicePath());
    ASSERT_TRUE(port.ok());
    const auto started = std::chrono::steady_clock::now();
    port.Write(WithChecksum({0x05, 0x80, 71, 15}));
    auto reply = port.Read(40);
    const auto took = std::chrono::steady_clock::now() - started;
    ASSERT_EQ(reply.size(), 40u);
    EXPECT_EQ(ValueAt(reply, 0), panel.getRegister(8, 71));
    EXPECT_EQ(ValueAt(reply, 14), panel.getRegister(8, 85));
    // 5 request bytes and 40 reply bytes of 10 bits at 9600 bit/s: about 47 ms. The request's
    // first byte was written a moment after `started`, so allow a little below.
    EXPECT_GE(took, 40ms);
}

TEST(PanelOverPty, SilenceTruncationAndBadLengthAreHeardAsSuch) {
    sim::PtyPanel panel;
    Port port(panel.devicePath());
    ASSERT_TRUE(port.ok());

    panel.injectFault(sim::Fault::Silence());
    port.Write(kReadFullLoadCurrent);
    ASSERT_TRUE(panel.waitForRequests(1, std::chrono::milliseconds(kGenerousMs)));
    EXPECT_FALSE(panel.requests()[0].answered);
    EXPECT_TRUE(port.Pending().empty());

    panel.injectFault(sim::Fault::Truncate(3));
    port.Write(WithChecksum({0x05, 0x10, 1, 15}));
    ASSERT_TRUE(panel.waitForRequests(2, std::chrono::milliseconds(kGenerousMs)));
    // Only the first three bytes come; anything more would show up in the next reply.
    EXPECT_EQ(port.Read(3).size(), 3u);

    panel.injectFault(sim::Fault::BadLength(45));
    port.Write(kReadFullLoadCurrent);
    auto bad = port.Read(5);
    ASSERT_EQ(bad.size(), 5u);
    EXPECT_EQ(bad[0], 45);

    port.Write(kReadFullLoadCurrent);  // the fault was for one request only
    auto fine = port.Read(5);
    ASSERT_EQ(fine.size(), 5u);
    EXPECT_EQ(fine[0], 5);
}

TEST(PanelOverPty, StaleReplyNoiseAndALateByte) {
    sim::PtyPanel panel;
    panel.setRegister(10, 122, 0x0111);
    panel.setRegister(11, 239, 0x0222);
    Port port(panel.devicePath());
    ASSERT_TRUE(port.ok());
    port.Write(kReadFullLoadCurrent);
    ASSERT_EQ(port.Read(5).size(), 5u);

    panel.injectFault(sim::Fault::StaleReply());
    port.Write(WithChecksum({0x05, 0xB0, 0xEF, 0x01}));
    auto stale = port.Read(5);
    ASSERT_EQ(stale.size(), 5u);
    EXPECT_EQ(ValueAt(stale, 0), 0x0111u);

    panel.injectFault(sim::Fault::Noise(7, false, 42), 2);
    port.Write(kReadFullLoadCurrent);
    auto noisy1 = port.Read(12);
    port.Write(kReadFullLoadCurrent);
    auto noisy2 = port.Read(12);
    ASSERT_EQ(noisy1.size(), 12u);
    EXPECT_EQ(noisy1, noisy2);  // seeded, so reproducible
    EXPECT_EQ(ValueAt(noisy1, 0, 7), 0x0111u);

    panel.injectFault(sim::Fault::LateByte(2, 300ms));
    port.Write(kReadFullLoadCurrent);
    auto head = port.Read(2);
    const auto before = std::chrono::steady_clock::now();
    auto tail = port.Read(3);
    EXPECT_EQ(head.size(), 2u);
    EXPECT_EQ(tail.size(), 3u);
    EXPECT_GE(std::chrono::steady_clock::now() - before, 250ms);
}

TEST(PanelOverPty, StrayByteFollowsTheReplyAsTheNextRequestComesIn) {
    sim::PtyPanel panel;
    panel.setRegister(10, 122, 0x0111);
    Port port(panel.devicePath());
    ASSERT_TRUE(port.ok());
    panel.injectFault(sim::Fault::StrayByte(0xEE));
    port.Write(kReadFullLoadCurrent);
    auto first = port.Read(5);
    ASSERT_TRUE(panel.waitForRequests(1, std::chrono::milliseconds(kGenerousMs)));
    EXPECT_TRUE(port.Pending().empty()) << "the stray byte waits for the next request";
    port.Write(kReadFullLoadCurrent);
    auto second = port.Read(6);
    EXPECT_EQ(first.size(), 5u);
    ASSERT_EQ(second.size(), 6u);
    EXPECT_EQ(second[0], 0xEE);
    EXPECT_EQ(ValueAt(second, 0, 1), 0x0111u);
}

// Whether the device is marked for exclusive use (a root process may open it regardless).
bool ExclusiveFlagSet(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return errno == EBUSY;
    }
    int exclusive = 0;
    ::ioctl(fd, TIOCGEXCL, &exclusive);
    ::close(fd);
    return exclusive != 0;
}

TEST(PanelOverPty, ExclusiveUseLeftByAVanishedClientIsCleared) {
    sim::PtyPanel panel;
    {
        Port client(panel.devicePath());
        ASSERT_TRUE(client.ok());
        ASSERT_EQ(::flock(client.fd(), LOCK_EX | LOCK_NB), 0);
        ASSERT_EQ(::ioctl(client.fd(), TIOCEXCL), 0);
        client.Write(kReadFullLoadCurrent);
        EXPECT_EQ(client.Read(5).size(), 5u);
        // The panel looked before answering, but the client still holds the device.
        EXPECT_TRUE(ExclusiveFlagSet(panel.devicePath()));
    }  // closed without TIOCNXCL, as by a killed process
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (ExclusiveFlagSet(panel.devicePath()) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_FALSE(ExclusiveFlagSet(panel.devicePath()));
    Port next(panel.devicePath());
    EXPECT_TRUE(next.ok()) << "the next client is not refused as busy";
}

TEST(PanelOverPty, UnsolicitedBytesReachTheClient) {
    sim::PtyPanel panel;
    Port port(panel.devicePath());
    ASSERT_TRUE(port.ok());
    std::vector<std::uint8_t> flood(600);
    for (std::size_t i = 0; i < flood.size(); ++i) {
        flood[i] = static_cast<std::uint8_t>(i * 7);
    }
    ASSERT_TRUE(panel.sendRaw(flood));
    EXPECT_EQ(port.Read(600), flood);
}

class PanelComLink : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/panelsim-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        home_ = pattern;
        ::setenv("XDG_CONFIG_HOME", home_.c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("XDG_CONFIG_HOME");
        std::filesystem::remove_all(home_);
    }
    std::string home_;
};

TEST_F(PanelComLink, LinkReplacesAnOldOneAndGoesAwayWithThePanel) {
    const std::string link = serial::PortLinkPath(5);
    std::filesystem::create_directories(serial::PortsFolder());
    std::filesystem::create_symlink("/dev/null", link);
    {
        sim::PtyPanel panel;
        EXPECT_EQ(panel.linkAsComPort(5), link);
        EXPECT_EQ(std::filesystem::read_symlink(link).string(), panel.devicePath());
        Port port(link);
        ASSERT_TRUE(port.ok());
        port.Write(kReadFullLoadCurrent);
        EXPECT_EQ(port.Read(5).size(), 5u);
    }
    EXPECT_FALSE(std::filesystem::is_symlink(link));
}

TEST_F(PanelComLink, VanishingPortHangsUpTheClientAndLeavesTheLinkDangling) {
    sim::PtyPanel panel;
    const std::string link = panel.linkAsComPort(7);
    Port port(link);
    ASSERT_TRUE(port.ok());
    panel.injectFault(sim::Fault::Vanish());
    port.Write(kReadFullLoadCurrent);
    ASSERT_TRUE(panel.waitForRequests(1, std::chrono::milliseconds(kGenerousMs)));
    EXPECT_TRUE(panel.vanished());
    EXPECT_FALSE(panel.requests()[0].answered);
    pollfd p{port.fd(), POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, kGenerousMs), 1);
    EXPECT_NE(p.revents & POLLHUP, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    port.Close();
    EXPECT_FALSE(Port(link).ok());  // the device itself is gone
}

}  // namespace
