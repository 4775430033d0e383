// A reply that cannot be the current request's is never taken for it: protocol -> serial link
// -> pseudo-terminal -> simulated panel whose every register holds a value of its own, so that
// a value from the wrong request always shows.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "protocol/requests.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "tests/support/diagnostic_log.h"
#include "tests/support/pty_pair.h"

using namespace std::chrono_literals;

namespace {

constexpr unsigned kCom = 11;

class ForeignReplies : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetRequestTotals();
        Protocol() = {};
    }
    void TearDown() override {
        CloseCommPort();
        Protocol() = {};
    }

    sim::PtyPanel& StartPanel(unsigned baud = 0) {
        panel_ = std::make_unique<sim::PtyPanel>(
            sim::PtyPanelOptions{.baud = baud, .address = -1, .loadDefaults = false});
        for (unsigned bank = 0; bank < 16; ++bank) {
            for (unsigned reg = 0; reg < 256; ++reg) {
                panel_->setRegister(bank, reg, static_cast<uint16_t>(0x1000 + bank * 256 + reg));
            }
        }
        panel_->linkAsComPort(kCom);
        baud_ = baud != 0 ? baud : 9600;
        Open();
        return *panel_;
    }
    void Open() { ASSERT_EQ(OpenCommPort(kCom, baud_, 1), 1) << serial::LastOpenError(); }

    // Reads `count` registers; true when the reply was taken, and then every value must be the
    // register's own. A reply not taken must leave nothing but zeros.
    bool Read(unsigned bank, unsigned start, unsigned count) {
        int32_t values[15];
        std::fill(std::begin(values), std::end(values), -1);
        ReadRegisters(static_cast<uint8_t>(bank), static_cast<uint8_t>(start),
                      static_cast<uint8_t>(count), values);
        const bool taken = LastRequest().completeReply;
        for (unsigned k = 0; k < count; ++k) {
            const int32_t own = taken ? panel_->getRegister(bank, start + k) : 0;
            EXPECT_EQ(values[k], own) << bank << "/" << start + k << (taken ? "" : " not taken");
        }
        return taken;
    }

    testing_support::PrivatePortsFolder ports_;
    testing_support::DiagnosticLog diagnostics_;
    std::unique_ptr<sim::PtyPanel> panel_;
    unsigned baud_ = 9600;
};

}  // namespace

TEST_F(ForeignReplies, AStrayLengthByteTooShortForTheRequestBreaksItsReply) {
    struct Case {
        unsigned baud;
        uint8_t stray;  // ahead of the reply to a read of `count` registers
        unsigned count;
    };
    // The shortest complete reply to 3 values is 10 bytes, to 15 values 40.
    const Case cases[] = {{0, 0x05, 3},    {0, 0x09, 3},     {0, 0x27, 15},
                          {9600, 0x05, 3}, {9600, 0x01, 15}, {1200, 0x08, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE("stray " + std::to_string(c.stray) + " at " + std::to_string(c.baud));
        auto& panel = StartPanel(c.baud);
        panel.injectFault(sim::Fault::StrayByte(c.stray));
        EXPECT_TRUE(Read(10, 1, 1));
        EXPECT_FALSE(Read(2, 20, c.count)) << "the stray byte and the start of the reply";
        // The rest of the real reply is flushed, not taken for the next request's.
        EXPECT_TRUE(Read(3, 40, c.count));
        EXPECT_TRUE(Read(10, 2, 1));
        EXPECT_EQ(panel.requests().size(), 4u) << "nothing is sent again";
        EXPECT_EQ(RequestTotals().incompleteReplies, 1u);
        CloseCommPort();
        ResetRequestTotals();
    }
}

TEST_F(ForeignReplies, BytesStillArrivingWhenThePortOpensAreNotTakenForTheFirstReply) {
    // 5 is a length byte a one-register read accepts: 05 05 05 05 05 is a complete reply.
    for (int run = 0; run < 3; ++run) {
        auto& panel = StartPanel(1200);
        CloseCommPort();
        auto noise = std::async(std::launch::async,
                                [&panel] { return panel.sendRaw(std::vector<uint8_t>(30, 0x05)); });
        std::this_thread::sleep_for(30ms);  // the noise is on the line as the port opens
        Open();
        EXPECT_TRUE(Read(10, 122, 1)) << "run " << run;
        EXPECT_TRUE(Read(10, 123, 1)) << "run " << run;
        EXPECT_TRUE(noise.get());
        CloseCommPort();
    }
}

TEST_F(ForeignReplies, OnceThePanelShowedItsPatternAReplyWithoutItIsNotTaken) {
    struct Case {
        const char* what;
        sim::Fault fault;
        unsigned bank, start, count;  // the request it spoils
    };
    // The previous reply answers 10/1 x1: another bank's read, or a longer one of the same bank.
    const Case cases[] = {
        {"previous reply, another bank", sim::Fault::StaleReply(), 2, 20, 1},
        {"previous reply, too short", sim::Fault::StaleReply(), 10, 30, 4},
        {"no echo", sim::Fault::NoEcho(0x00), 10, 30, 4},
        {"bad checksum", sim::Fault::BadChecksum(), 10, 30, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing_support::DiagnosticLog diagnostics;
        auto& panel = StartPanel(9600);
        for (unsigned reg = 1; reg <= 3; ++reg) {
            ASSERT_TRUE(Read(10, reg, 1));  // three replies show the pattern
        }
        EXPECT_NE(diagnostics.text().find("replies with values: the panel echoes the function "
                                          "byte and sums each to 0"),
                  std::string::npos)
            << diagnostics.text();
        ASSERT_TRUE(Read(10, 1, 1));
        panel.injectFault(c.fault);
        EXPECT_FALSE(Read(c.bank, c.start, c.count));
        EXPECT_TRUE(Read(c.bank, c.start, c.count));
        EXPECT_TRUE(Read(5, 200, 15));
        const std::string text = diagnostics.text();
        EXPECT_EQ(text.find("the panel echoes"), text.rfind("the panel echoes")) << "told once";
        EXPECT_NE(text.find("not taken"), std::string::npos) << text;
        CloseCommPort();
        ResetRequestTotals();
    }
}

TEST_F(ForeignReplies, APanelThatNeverShowedThePatternIsNeverHeldToIt) {
    for (const sim::Fault& fault : {sim::Fault::NoEcho(0x00), sim::Fault::BadChecksum()}) {
        SCOPED_TRACE(sim::Describe(fault));
        auto& panel = StartPanel();
        panel.injectFault(fault, 0);  // every reply
        for (unsigned reg = 0; reg < 12; ++reg) {
            EXPECT_TRUE(Read(reg % 4, reg * 7, 1 + reg % 15));
        }
        const int32_t value = 0x1234;
        WriteRegisters(4, 9, 1, &value);
        EXPECT_TRUE(LastRequest().completeReply);
        EXPECT_EQ(panel.getRegister(4, 9), 0x1234);
        EXPECT_EQ(RequestTotals().incompleteReplies, 0u);
        CloseCommPort();
        ResetRequestTotals();
    }
}

TEST_F(ForeignReplies, WriteAcknowledgementsAreHeldOnlyToWhatTheyShowed) {
    // Value replies echo the function byte; write acknowledgements carry something else there.
    auto& panel = StartPanel();
    panel.injectFault(sim::Fault::NoEcho(0x00), 0,
                      [](const sim::Request& r) { return r.op == sim::Operation::kWrite; });
    for (unsigned reg = 1; reg <= 4; ++reg) {
        ASSERT_TRUE(Read(10, reg, 1));
    }
    for (int32_t value = 1; value <= 5; ++value) {
        WriteRegisters(4, 9, 1, &value);
        EXPECT_TRUE(LastRequest().completeReply) << value;
        EXPECT_EQ(panel.getRegister(4, 9), value);
    }
    // Value replies are still held to their echo.
    panel.injectFault(sim::Fault::NoEcho(0x00));
    EXPECT_FALSE(Read(10, 5, 1));
    EXPECT_TRUE(Read(10, 5, 1));
}

TEST_F(ForeignReplies, WhatAPanelShowedHoldsForItsConnectionOnly) {
    auto& panel = StartPanel();
    for (unsigned reg = 1; reg <= 4; ++reg) {
        ASSERT_TRUE(Read(10, reg, 1));  // echoes and sums: learnt
    }
    CloseCommPort();
    // Another panel on the same port, one that puts something else in byte 1.
    panel.injectFault(sim::Fault::NoEcho(0x00), 0);
    Open();
    for (unsigned reg = 1; reg <= 6; ++reg) {
        EXPECT_TRUE(Read(10, reg, 2));
    }
}
