#include "protocol/frame.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

std::vector<int> Bytes(const Frame& frame) {
    return std::vector<int>(frame.bytes.begin(), frame.bytes.begin() + frame.size);
}

const ProtocolSettings kPlain{0, 0};

}  // namespace

TEST(RequestFrames, MatchThePanelsExamplesByteForByte) {
    EXPECT_EQ(Bytes(BuildRequestFrame(kPlain, 10, Operation::Read, 122, 1)),
              (std::vector<int>{0x05, 0xA0, 0x7A, 0x01, 0xE0}));
    EXPECT_EQ(Bytes(BuildRequestFrame({1, 1}, 10, Operation::Read, 122, 1)),
              (std::vector<int>{0x01, 0x05, 0xA0, 0x7A, 0x01, 0xDF}));
    const int32_t one = 1;
    EXPECT_EQ(Bytes(BuildRequestFrame(kPlain, 10, Operation::Write, 219, 1, &one)),
              (std::vector<int>{0x07, 0xA1, 0xDB, 0x01, 0x00, 0x01, 0x7B}));
    EXPECT_EQ(Bytes(BuildRequestFrame(kPlain, 11, Operation::Clear, 4, 1)),
              (std::vector<int>{0x05, 0xB2, 0x04, 0x01, 0x44}));
    EXPECT_EQ(Bytes(BuildRequestFrame(kPlain, 8, Operation::Reset, 0, 1)),
              (std::vector<int>{0x05, 0x83, 0x00, 0x01, 0x77}));
}

TEST(RequestFrames, ResetAlwaysNamesRegisterZeroCountOne) {
    EXPECT_EQ(Bytes(BuildRequestFrame(kPlain, 3, Operation::Reset, 77, 9)),
              (std::vector<int>{0x05, 0x33, 0x00, 0x01, 0xC7}));
}

TEST(RequestFrames, FifteenValueWriteIsThirtyFiveBytesAndSumsToZero) {
    int32_t values[15];
    for (int i = 0; i < 15; ++i)
        values[i] = i * 0x1111 - 1;
    for (uint8_t mode : {uint8_t{0}, uint8_t{1}}) {
        Frame f = BuildRequestFrame({mode, 199}, 2, Operation::Write, 29, 15, values);
        ASSERT_EQ(f.size, 35 + mode);
        EXPECT_EQ(f.bytes[mode], 35) << "the address byte is not counted";
        EXPECT_EQ(std::accumulate(f.bytes.begin(), f.bytes.begin() + f.size, 0u) & 0xFF, 0u);
        if (mode) {
            EXPECT_EQ(f.bytes[0], 199);
        }
        // -1 goes out as FF FF, every value high byte first.
        EXPECT_EQ(f.bytes[4 + mode], 0xFF);
        EXPECT_EQ(f.bytes[5 + mode], 0xFF);
        EXPECT_EQ(f.bytes[6 + mode], 0x11);
        EXPECT_EQ(f.bytes[7 + mode], 0x10);
    }
}

TEST(RequestFrames, OnlyTheLowSixteenBitsOfAValueAreSent) {
    const int32_t value = 0x12345678;
    Frame f = BuildRequestFrame(kPlain, 0, Operation::Write, 4, 1, &value);
    EXPECT_EQ(f.bytes[4], 0x56);
    EXPECT_EQ(f.bytes[5], 0x78);
}

TEST(RequestFrames, ACountBeyondFifteenIsCutToWhatAFrameHolds) {
    int32_t values[40] = {};
    Frame f = BuildRequestFrame({1, 5}, 1, Operation::Write, 0, 40, values);
    EXPECT_EQ(f.size, kMaxFrameBytes);
    EXPECT_EQ(f.bytes[4], 15);
}

TEST(ReplyValues, PositionsSkipTheByteBeforeEachPair) {
    const int expected[15] = {2, 5, 7, 10, 12, 15, 17, 20, 22, 25, 27, 30, 32, 35, 37};
    for (int k = 0; k < 15; ++k)
        EXPECT_EQ(ValueBytePosition(k), expected[k]) << "value " << k;
}

TEST(ReplyValues, FifteenValuesComeFromTheirPositionsAndNothingElse) {
    // Fill every byte with a marker; value bytes carry their own index.
    uint8_t reply[40];
    for (int i = 0; i < 40; ++i)
        reply[i] = 0xEE;
    for (int k = 0; k < 15; ++k) {
        reply[ValueBytePosition(k)] = static_cast<uint8_t>(k);
        reply[ValueBytePosition(k) + 1] = static_cast<uint8_t>(0x80 + k);
    }
    int32_t values[15];
    ExtractValues(reply, sizeof reply, 15, values);
    for (int k = 0; k < 15; ++k)
        EXPECT_EQ(values[k], k * 256 + 0x80 + k) << "value " << k;
}

TEST(ReplyValues, SingleValueAndUnsignedWords) {
    const uint8_t reply[] = {0x05, 0xA0, 0x12, 0x34, 0x00};
    int32_t value = -7;
    ExtractValues(reply, sizeof reply, 1, &value);
    EXPECT_EQ(value, 0x1234);
    const uint8_t all[] = {0x05, 0xA0, 0xFF, 0xFF, 0x00};
    ExtractValues(all, sizeof all, 1, &value);
    EXPECT_EQ(value, 65535);
}

TEST(ReplyValues, BytesThatNeverArrivedReadAsZero) {
    const uint8_t reply[] = {0x0D, 0xA0, 0x00, 0x01, 0x99, 0x00};
    int32_t values[3] = {-1, -1, -1};
    ExtractValues(reply, sizeof reply, 3, values);
    EXPECT_EQ(values[0], 1);
    EXPECT_EQ(values[1], 0) << "high byte arrived as 0, low byte never came";
    EXPECT_EQ(values[2], 0);
}

TEST(Checksum, IsTheTwosComplementOfTheByteSum) {
    const uint8_t none[1] = {0};
    EXPECT_EQ(FrameChecksum(none, 0), 0);
    const uint8_t bytes[] = {0x05, 0xA0, 0x7A, 0x01};
    EXPECT_EQ(FrameChecksum(bytes, 4), 0xE0);
}
