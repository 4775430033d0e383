#include "protocol/packed_time.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(PackedDateText, FollowsTheDateOrder) {
    EXPECT_EQ(PackedValueText(10863, kPackedDate, kDateOrderMonthDayYear), "03/15/2011");
    EXPECT_EQ(PackedValueText(10863, kPackedDate, kDateOrderDayMonthYear), "15/03/2011");
    EXPECT_EQ(PackedValueText(10863, kPackedDate, kDateOrderYearMonthDay), "2011/03/15");
}

TEST(PackedDateText, ShowsOutOfRangeFieldsAsTheyAre) {
    EXPECT_EQ(PackedValueText(0, kPackedDate, 0), "00/00/1990");
    EXPECT_EQ(PackedValueText(65535, kPackedDate, 0), "15/31/2053");
    EXPECT_EQ(PackedValueText(65535, kPackedDate, 2), "2053/15/31");
}

TEST(PackedDateText, IgnoresBit15AndEverythingAbove16Bits) {
    EXPECT_EQ(PackedValueText(10863 | 0x8000, kPackedDate, 0), "03/15/2011");
    EXPECT_EQ(PackedValueText(10863 | 0x30000, kPackedDate, 1), "15/03/2011");
    EXPECT_EQ(PackedValueText(-1, kPackedDate, 0), "15/31/2053");
}

TEST(PackedTimeText, ShowsHourMinuteSecond) {
    EXPECT_EQ(PackedValueText(26793, kPackedTime, 0), "13:05:09");
    EXPECT_EQ(PackedValueText(0, kPackedTime, 0), "00:00:00");
    EXPECT_EQ(PackedValueText(65535, kPackedTime, 0), "31:63:31");
}

TEST(PackedTimeText, DoesNotDependOnTheDateOrder) {
    EXPECT_EQ(PackedValueText(26793, kPackedTime, 2), "13:05:09");
    EXPECT_EQ(PackedValueText(26793, kPackedTime, 3), "13:05:09");
}

TEST(FormatPackedValue, WritesExactlyTheTextAndItsTerminator) {
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    FormatPackedValue(10863, buffer, kPackedDate, 0);
    EXPECT_STREQ(buffer, "03/15/2011");
    EXPECT_EQ(buffer[kPackedTextBufferSize], '#');

    std::memset(buffer, '#', sizeof buffer);
    FormatPackedValue(26793, buffer, kPackedTime, 0);
    EXPECT_STREQ(buffer, "13:05:09");
    EXPECT_EQ(buffer[kPackedTimeTextLength + 1], '#');
}

TEST(FormatPackedValue, LeavesTheBufferAsItWasForABadKindOrOrder) {
    const char before[kPackedTextBufferSize] = "untouched";
    char buffer[kPackedTextBufferSize];
    for (const auto& [kind, order] : {std::pair{kPackedDate, 3}, std::pair{kPackedDate, -1},
                                      std::pair{2, 0}, std::pair{-1, 0}}) {
        std::memcpy(buffer, before, sizeof buffer);
        FormatPackedValue(10863, buffer, kind, order);
        EXPECT_EQ(std::memcmp(buffer, before, sizeof buffer), 0) << kind << "," << order;
        EXPECT_EQ(PackedValueText(10863, kind, order), "");
    }
    FormatPackedValue(10863, nullptr, kPackedDate, 0);  // nothing to write into, no crash
}

TEST(DateOrderNames, MatchTheOrders) {
    EXPECT_STREQ(kDateOrderNames[kDateOrderMonthDayYear], "M/D/Y");
    EXPECT_STREQ(kDateOrderNames[kDateOrderDayMonthYear], "D/M/Y");
    EXPECT_STREQ(kDateOrderNames[kDateOrderYearMonthDay], "Y/M/D");
}

TEST(PackClockTime, PacksHourMinuteSecond) {
    EXPECT_EQ(PackClockTime(13, 5, 9), 26793);
    EXPECT_EQ(PackClockTime(0, 0, 0), 0);
    EXPECT_EQ(PackedValueText(PackClockTime(23, 59, 31), kPackedTime, 0), "23:59:31");
}

TEST(PackClockTime, LateSecondsBecome31AndLeaveHourAndMinuteAlone) {
    EXPECT_EQ(PackedValueText(PackClockTime(13, 5, 45), kPackedTime, 0), "13:05:31");
    EXPECT_EQ(PackClockTime(23, 59, 59), PackClockTime(23, 59, 31));
    EXPECT_EQ(PackClockTime(23, 59, 60), PackClockTime(23, 59, 31));  // leap second
    EXPECT_EQ(PackClockTime(13, 5, 32), PackClockTime(13, 5, 31));
}

TEST(PackClockDate, PacksDatesOfThePanelsYears) {
    EXPECT_EQ(PackClockDate(2011, 3, 15), 10863);
    EXPECT_EQ(PackClockDate(1990, 1, 1), 33);
    EXPECT_EQ(PackClockDate(2053, 12, 31), 63 * 512 + 12 * 32 + 31);
}

TEST(PackClockDate, RefusesWhatWouldSpillIntoANeighbouringField) {
    EXPECT_EQ(PackClockDate(1989, 12, 31), std::nullopt);
    EXPECT_EQ(PackClockDate(2054, 1, 1), std::nullopt);
    EXPECT_EQ(PackClockDate(2011, 0, 15), std::nullopt);
    EXPECT_EQ(PackClockDate(2011, 13, 15), std::nullopt);
    EXPECT_EQ(PackClockDate(2011, 3, 0), std::nullopt);
    EXPECT_EQ(PackClockDate(2011, 3, 32), std::nullopt);
}

TEST(PackClockDate, RoundTripsThroughTheDateText) {
    struct Case {
        int year, month, day;
        const char* text;
    };
    for (const Case& c : {Case{1990, 1, 1, "1990/01/01"}, Case{2026, 12, 7, "2026/12/07"},
                          Case{2000, 2, 29, "2000/02/29"}, Case{2053, 12, 31, "2053/12/31"}}) {
        const auto packed = PackClockDate(c.year, c.month, c.day);
        ASSERT_TRUE(packed.has_value()) << c.text;
        EXPECT_EQ(PackedValueText(*packed, kPackedDate, kDateOrderYearMonthDay), c.text);
    }
}

}  // namespace
