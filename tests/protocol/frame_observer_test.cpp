// The frame observer sees each request frame and what came back for it, as the line carried
// them: protocol -> serial link -> pseudo-terminal -> simulated panel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/requests.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "tests/support/pty_pair.h"

namespace {

constexpr unsigned kCom = 11;

// Every event as its line, each timed from itself so that the lines do not depend on the clock.
class FrameLines {
  public:
    FrameLines() {
        SetFrameObserver([this](const FrameEvent& event) {
            lines.push_back(FormatFrameEvent(event, event.time));
        });
    }
    ~FrameLines() { SetFrameObserver(nullptr); }
    std::vector<std::string> lines;
};

class FrameObserverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Protocol() = {};
        serial::SetDiagnosticSink([](const std::string&) {});
        panel_.linkAsComPort(kCom);
    }
    void TearDown() override {
        CloseCommPort();
        serial::SetDiagnosticSink(nullptr);
    }

    testing_support::PrivatePortsFolder ports_;
    sim::PtyPanel panel_;
};

TEST_F(FrameObserverTest, EachRequestIsOneLineOutAndOneLineBack) {
    panel_.setRegister(10, 122, 0x1234);
    FrameLines frames;

    // A closed port: the frame never leaves and nothing comes back.
    int32_t value = 0;
    ReadRegisters(10, 122, 1, &value);
    ASSERT_EQ(OpenCommPort(kCom, 9600, 1), 1) << serial::LastOpenError();
    ReadRegisters(10, 122, 1, &value);
    // A length byte of 0 ends the wait at once, whatever follows it.
    panel_.injectFault(sim::Fault::BadLength(0));
    ReadRegisters(10, 122, 1, &value);

    ASSERT_EQ(frames.lines.size(), 6u);
    EXPECT_EQ(frames.lines[0], "      0 ms  TX not sent    read 10/122x1   05 A0 7A 01 E0");
    EXPECT_EQ(frames.lines[1], "      0 ms  RX incomplete");
    EXPECT_EQ(frames.lines[2], "      0 ms  TX             read 10/122x1   05 A0 7A 01 E0");
    EXPECT_EQ(frames.lines[3], "      0 ms  RX complete                    05 A0 12 34 15");
    EXPECT_EQ(frames.lines[4], "      0 ms  TX             read 10/122x1   05 A0 7A 01 E0");
    EXPECT_EQ(frames.lines[5].rfind("      0 ms  RX incomplete                  00", 0), 0u)
        << frames.lines[5];
    // Every operation, with and without an address byte; bytes that are no request: no text.
    const std::pair<std::vector<uint8_t>, std::string> decoded[] = {
        {{0x07, 0xA1, 0xDB, 0x01, 0x00, 0x01, 0x7B}, "write 10/219x1"},
        {{0x05, 0xB2, 0x04, 0x01, 0x44}, "clear 11/4x1"},
        {{0x05, 0x83, 0x00, 0x01, 0x77}, "reset 8/0x1"},
        {{0x01, 0x05, 0xA0, 0x7A, 0x01, 0xDF}, "read 10/122x1"},
        {{0x05, 0xA4, 0x7A, 0x01, 0xDC}, ""},
        {{0x03}, ""},
    };
    for (const auto& [bytes, text] : decoded) {
        const std::string line = FormatFrameEvent({{}, FrameDirection::kSent, bytes, true}, {});
        EXPECT_EQ(line.substr(27, 15), (text + std::string(15, ' ')).substr(0, 15)) << line;
    }
}

TEST_F(FrameObserverTest, AReplyNotTakenIsIncompleteAndSaysWhy) {
    ASSERT_EQ(OpenCommPort(kCom, 9600, 1), 1) << serial::LastOpenError();
    FrameLines frames;
    // The length byte of a one-value reply in front of a three-value reply.
    panel_.injectFault(sim::Fault::BadLength(5));
    int32_t values[3];
    ReadRegisters(10, 122, 3, values);

    ASSERT_EQ(frames.lines.size(), 3u);
    EXPECT_EQ(frames.lines[1].rfind("      0 ms  RX incomplete                  05 A0", 0), 0u)
        << frames.lines[1];
    EXPECT_EQ(frames.lines[2],
              "      0 ms  note           reply to read bank 10, start 122, count 3 not taken: "
              "too short for its request");
}

}  // namespace
