// The panel's reading of request frames and the replies it builds, byte by byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "sim/panel_protocol.h"
#include "sim/panel_registers.h"
#include "tests/sim/frame_helpers.h"

namespace {

using simtest::Sum;
using simtest::ValueAt;
using simtest::WithChecksum;

std::vector<sim::Request> FeedAll(sim::PanelProtocol& protocol,
                                  const std::vector<std::uint8_t>& bytes) {
    std::vector<sim::Request> out;
    for (std::uint8_t b : bytes) {
        for (sim::Request& r : protocol.Feed(b)) {
            out.push_back(std::move(r));
        }
    }
    return out;
}

// One complete request from `bytes`, answered from `registers`.
std::vector<std::uint8_t> Exchange(sim::PanelRegisters& registers,
                                   const std::vector<std::uint8_t>& bytes, int address = -1) {
    sim::PanelProtocol protocol(address);
    std::vector<sim::Request> requests = FeedAll(protocol, bytes);
    EXPECT_EQ(requests.size(), 1u);
    return requests.empty() ? std::vector<std::uint8_t>{} : sim::Answer(requests[0], registers);
}

TEST(PanelReadsRequestFrames, TheFourOperationsAsThePcSendsThem) {
    sim::PanelProtocol protocol;
    auto read = FeedAll(protocol, {0x05, 0xA0, 0x7A, 0x01, 0xE0});
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].bank, 10u);
    EXPECT_EQ(read[0].op, sim::Operation::kRead);
    EXPECT_EQ(read[0].start, 122u);
    EXPECT_EQ(read[0].count, 1u);
    EXPECT_TRUE(read[0].checksumValid);
    EXPECT_EQ(read[0].address, -1);

    auto write = FeedAll(protocol, {0x07, 0xA1, 0xDB, 0x01, 0x00, 0x01, 0x7B});
    ASSERT_EQ(write.size(), 1u);
    EXPECT_EQ(write[0].op, sim::Operation::kWrite);
    EXPECT_EQ(write[0].start, 219u);
    EXPECT_EQ(write[0].data, std::vector<std::uint16_t>{1});
    EXPECT_TRUE(write[0].checksumValid);

    auto clear = FeedAll(protocol, {0x05, 0xB2, 0x04, 0x01, 0x44});
    ASSERT_EQ(clear.size(), 1u);
    EXPECT_EQ(clear[0].bank, 11u);
    EXPECT_EQ(clear[0].op, sim::Operation::kClear);
    EXPECT_TRUE(clear[0].checksumValid);

    auto reset = FeedAll(protocol, {0x05, 0x83, 0x00, 0x01, 0x77});
    ASSERT_EQ(reset.size(), 1u);
    EXPECT_EQ(reset[0].bank, 8u);
    EXPECT_EQ(reset[0].op, sim::Operation::kReset);
    EXPECT_TRUE(reset[0].checksumValid);
}

TEST(PanelReplies, ReadOfOneValueIsTheShortestReply) {
    sim::PanelRegisters regs;
    regs.Set(10, 122, 0x1234);
    auto reply = Exchange(regs, {0x05, 0xA0, 0x7A, 0x01, 0xE0});
    ASSERT_EQ(reply.size(), 5u);
    EXPECT_EQ(reply[0], 0x05);
    EXPECT_EQ(reply[1], 0xA0);
    EXPECT_EQ(reply[2], 0x12);
    EXPECT_EQ(reply[3], 0x34);
    EXPECT_EQ(Sum(reply), 0);
}

TEST(PanelReplies, SeveralValuesSitWhereThePcTakesThem) {
    sim::PanelRegisters regs;
    for (unsigned r = 0; r < 15; ++r) {
        regs.Set(1, 20 + r, static_cast<std::uint16_t>(0x1100 * (r + 1) + r));
    }
    for (unsigned count : {3u, 15u}) {
        auto reply = Exchange(regs, WithChecksum({0x05, 0x10, 20, static_cast<uint8_t>(count)}));
        const std::size_t expectedLength = count == 3 ? 10 : 40;
        ASSERT_EQ(reply.size(), expectedLength) << count;
        EXPECT_EQ(reply[0], expectedLength);
        EXPECT_EQ(reply[1], 0x10);
        for (unsigned k = 0; k < count; ++k) {
            EXPECT_EQ(ValueAt(reply, k), regs.Get(1, 20 + k)) << "count " << count << " k " << k;
        }
        EXPECT_EQ(Sum(reply), 0);
    }
    auto full = Exchange(regs, WithChecksum({0x05, 0x10, 20, 15}));
    EXPECT_EQ(simtest::ValuePosition(14), 37u);
    EXPECT_EQ(ValueAt(full, 14), regs.Get(1, 34));
}

TEST(PanelReplies, WriteStoresTheValuesAndIsAcknowledged) {
    sim::PanelRegisters regs;
    // Length 5 + 2 x 3, write to bank 2 from register 5, three values.
    std::vector<std::uint8_t> frame = {11, 0x21, 0x05, 0x03, 0x04, 0xB0, 0xFF, 0xFF, 0x00, 0x19};
    auto ack = Exchange(regs, WithChecksum(frame));
    EXPECT_EQ(regs.Get(2, 5), 0x04B0);
    EXPECT_EQ(regs.Get(2, 6), 0xFFFF);
    EXPECT_EQ(regs.Get(2, 7), 0x0019);
    ASSERT_EQ(ack.size(), 5u);
    EXPECT_EQ(ack[0], 5);
    EXPECT_EQ(ack[1], 0x21);
    EXPECT_EQ(ack[2], 0x05);
    EXPECT_EQ(ack[3], 0x03);
    EXPECT_EQ(Sum(ack), 0);
}

TEST(PanelReplies, ClearEmptiesALogAndAnswersItsNewCount) {
    sim::PanelRegisters regs;
    regs.LoadDefaults();
    ASSERT_GT(regs.EventCount(), 0u);
    ASSERT_GT(regs.IntervalCount(), 0u);
    ASSERT_NE(regs.Get(11, 4), 0);

    auto events = Exchange(regs, {0x05, 0xB2, 0x04, 0x01, 0x44});
    EXPECT_EQ(regs.EventCount(), 0u);
    EXPECT_GT(regs.IntervalCount(), 0u);
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(ValueAt(events, 0), 0u);
    EXPECT_EQ(regs.Get(11, 4), 0);

    auto intervals = Exchange(regs, WithChecksum({0x05, 0xB2, 40, 0x01}));
    EXPECT_EQ(regs.IntervalCount(), 0u);
    EXPECT_EQ(regs.Get(11, 0), 0);
    ASSERT_EQ(intervals.size(), 5u);
    EXPECT_EQ(ValueAt(intervals, 0), 0u);
}

TEST(PanelReplies, ResetRestartsTheRecordsFromThePresentValues) {
    sim::PanelRegisters regs;
    regs.LoadDefaults();
    regs.Set(8, 0, 0x0102);
    ASSERT_NE(regs.Get(8, 71), regs.Get(1, 2));  // load voltage minimum below the present value
    auto reply = Exchange(regs, {0x05, 0x83, 0x00, 0x01, 0x77});
    EXPECT_EQ(regs.Get(8, 71), regs.Get(1, 2));
    EXPECT_EQ(regs.Get(8, 74), regs.Get(1, 2));
    EXPECT_EQ(regs.Get(8, 72), regs.Get(10, 17));  // stamped with the panel clock
    EXPECT_EQ(regs.Get(8, 73), regs.Get(10, 16));
    ASSERT_EQ(reply.size(), 5u);
    EXPECT_EQ(reply[1], 0x83);
    EXPECT_EQ(ValueAt(reply, 0), 0x0102u);

    regs.Set(3, 2, 777);
    Exchange(regs, WithChecksum({0x05, 0x33, 0x00, 0x01}));
    EXPECT_EQ(regs.Get(3, 20), 777);  // forward kVAR min and max
    EXPECT_EQ(regs.Get(3, 21), 777);
}

TEST(PanelStaysSilent, OnABadChecksumButStaysInStep) {
    sim::PanelRegisters regs;
    regs.Set(10, 122, 0x0042);
    sim::PanelProtocol protocol;
    auto bad = FeedAll(protocol, {0x05, 0xA0, 0x7A, 0x01, 0xE1});
    ASSERT_EQ(bad.size(), 1u);
    EXPECT_FALSE(bad[0].checksumValid);
    EXPECT_TRUE(sim::Answer(bad[0], regs).empty());

    auto good = FeedAll(protocol, {0x05, 0xA0, 0x7A, 0x01, 0xE0});
    ASSERT_EQ(good.size(), 1u);
    EXPECT_EQ(ValueAt(sim::Answer(good[0], regs), 0), 0x0042u);
}

TEST(PanelStaysSilent, OnCountsOutsideOneToFifteenAndOnLengthsThatDisagree) {
    sim::PanelProtocol protocol;
    EXPECT_TRUE(FeedAll(protocol, WithChecksum({0x05, 0xA0, 0x7A, 0x00})).empty());
    EXPECT_TRUE(FeedAll(protocol, WithChecksum({0x05, 0xA0, 0x7A, 0x10})).empty());
    // A write of two values announced with the length of one.
    EXPECT_TRUE(FeedAll(protocol, WithChecksum({0x07, 0xA1, 0xDB, 0x02, 0x00, 0x01})).empty());
    // A read announced with a write's length.
    EXPECT_TRUE(FeedAll(protocol, WithChecksum({0x07, 0xA0, 0xDB, 0x01, 0x00, 0x01})).empty());
    // None of it left the reader out of step.
    EXPECT_EQ(FeedAll(protocol, {0x05, 0xA0, 0x7A, 0x01, 0xE0}).size(), 1u);
}

TEST(PanelStaysInStep, AfterGarbageAndTheClosingZeroByte) {
    sim::PanelProtocol protocol;
    std::vector<std::uint8_t> line = {0x00, 0xFF, 0x13, 0x05, 0xA7, 0x00};
    std::vector<std::uint8_t> frame = {0x05, 0xA0, 0x7A, 0x01, 0xE0};
    line.insert(line.end(), frame.begin(), frame.end());
    line.push_back(0x00);
    auto requests = FeedAll(protocol, line);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].raw, frame);
    EXPECT_FALSE(protocol.MidFrame());  // the trailing 0x00 is skipped, not held
}

TEST(PanelStaysInStep, InAddressModeAfterAZeroByteThatLooksLikeAnAddress) {
    sim::PanelProtocol protocol(1);
    auto requests = FeedAll(protocol, {0x00, 0x01, 0x05, 0xA0, 0x7A, 0x01, 0xDF});
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].address, 1);
    EXPECT_TRUE(requests[0].checksumValid);
    EXPECT_TRUE(requests[0].forThisPanel);
}

TEST(PanelInAddressMode, AnswersItsOwnAddressOnly) {
    sim::PanelRegisters regs;
    regs.Set(10, 122, 0xBEEF);
    auto own = Exchange(regs, {0x01, 0x05, 0xA0, 0x7A, 0x01, 0xDF}, 1);
    ASSERT_EQ(own.size(), 6u);
    EXPECT_EQ(own[0], 0x01);
    EXPECT_EQ(own[1], 0x05);
    EXPECT_EQ(ValueAt(own, 0, 1), 0xBEEFu);
    EXPECT_EQ(Sum(own), 0);

    sim::PanelProtocol protocol(1);
    auto other = FeedAll(protocol, WithChecksum({0x02, 0x05, 0xA0, 0x7A, 0x01}));
    ASSERT_EQ(other.size(), 1u);
    EXPECT_TRUE(other[0].checksumValid);
    EXPECT_FALSE(other[0].forThisPanel);
    EXPECT_TRUE(sim::Answer(other[0], regs).empty());
}

TEST(PanelWithoutAddressMode, DoesNotAnswerAnAddressedFrame) {
    sim::PanelRegisters regs;
    sim::PanelProtocol protocol;
    auto requests = FeedAll(protocol, {0x01, 0x05, 0xA0, 0x7A, 0x01, 0xDF});
    for (const sim::Request& r : requests) {
        EXPECT_TRUE(sim::Answer(r, regs).empty());
    }
}

TEST(PanelReplies, RegistersPastTheEndOfABankReadZero) {
    sim::PanelRegisters regs;
    regs.Set(4, 255, 0x7777);
    auto reply = Exchange(regs, WithChecksum({0x05, 0x40, 250, 10}));
    ASSERT_EQ(reply.size(), simtest::ValuePosition(9) + 2 + 1);  // last value, checksum
    EXPECT_EQ(ValueAt(reply, 5), 0x7777u);
    for (unsigned k = 6; k < 10; ++k) {
        EXPECT_EQ(ValueAt(reply, k), 0u);
    }
}

}  // namespace
