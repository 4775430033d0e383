#include "pages/kit/export_file_stamp.h"

#include <gtest/gtest.h>
#include "tests/support/local_time.h"

namespace {

std::tm At(int year, int month, int day, int weekday, int hour, int minute, int second) {
    return testing_support::LocalTime(year, month, day, hour, minute, second, weekday);
}

TEST(ExportFileStamp, UsesTheTwelveHourClockWithItsSuffix) {
    EXPECT_EQ(ExportFileStamp(At(2026, 12, 7, 1, 15, 4, 9), "_MTR.csv"),
              "Mon_Dec_07_03_04_09_2026_PM_MTR.csv");
    EXPECT_EQ(ExportFileStamp(At(2026, 12, 7, 1, 0, 30, 0), "_MTR.csv"),
              "Mon_Dec_07_12_30_00_2026_AM_MTR.csv");
    EXPECT_EQ(ExportFileStamp(At(2026, 12, 7, 1, 12, 30, 0), "_MTR.csv"),
              "Mon_Dec_07_12_30_00_2026_PM_MTR.csv");
    EXPECT_EQ(ExportFileStamp(At(2026, 12, 31, 4, 23, 59, 59), "_log.csv"),
              "Thu_Dec_31_11_59_59_2026_PM_log.csv");
    EXPECT_EQ(ExportFileStamp(At(2027, 1, 1, 5, 11, 59, 59), "_log.csv"),
              "Fri_Jan_01_11_59_59_2027_AM_log.csv");
}

TEST(ExportFileStamp, WritesSingleDigitDaysWithALeadingZero) {
    EXPECT_EQ(ExportFileStamp(At(2026, 3, 1, 0, 9, 5, 3), ".kz0"),
              "Sun_Mar_01_09_05_03_2026_AM.kz0");
    EXPECT_EQ(ExportFileStamp(At(2026, 7, 9, 4, 9, 5, 3), ".kz0"),
              "Thu_Jul_09_09_05_03_2026_AM.kz0");
}

TEST(ExportFileStamp, NamesOddFieldsInsteadOfFailing) {
    const std::string stamp = ExportFileStamp(At(2026, 13, 7, 9, 15, 4, 9), ".csv");
    EXPECT_EQ(stamp, "???_???_07_03_04_09_2026_PM.csv");
}

TEST(ExportFileStamp, TakesTheTimeFromTheGivenClock) {
    int calls = 0;
    const auto clock = [&calls] {
        ++calls;
        return At(2026, 12, 7, 1, 15, 4, 9);
    };
    EXPECT_EQ(ExportFileStamp("_HAR.csv", clock), "Mon_Dec_07_03_04_09_2026_PM_HAR.csv");
    EXPECT_EQ(calls, 1);
}

TEST(ExportFileStamp, DefaultClockGivesAWellFormedName) {
    const std::string stamp = ExportFileStamp("_rep.csv");
    // Www_Mmm_dd_hh_mm_ss_yyyy_XM_rep.csv
    ASSERT_EQ(stamp.size(), 35u) << stamp;
    EXPECT_TRUE(stamp.substr(24, 4) == "_AM_" || stamp.substr(24, 4) == "_PM_") << stamp;
    EXPECT_EQ(stamp.find(' '), std::string::npos);
    EXPECT_EQ(stamp.find(':'), std::string::npos);
}

}  // namespace
