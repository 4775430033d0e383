// The metering recording's file: what the writer writes the reader gives back, a recording is
// continued only under its own header, and a row a crash cut off is no row.
#include "pages/data/metering_recording.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "tests/support/private_working_dir.h"

namespace {

using namespace testing_support;
using namespace metering_recording;

const std::string kCrLfHeader =
    "Time,Vld,Vs,Vcomp,Ild,Pf,KW,KVAR,Freq,Tap Position,Requests Without Reply\r\n";

Row MakeRow(long long seconds, std::array<std::string, kColumns> values, int unanswered) {
    return {Clock::time_point{std::chrono::seconds(seconds)}, std::move(values), unanswered};
}

void Zone(const char* tz) {
    ::setenv("TZ", tz, 1);
    ::tzset();
}

// The times are written in the local zone with its offset; the same instant comes back.
class RecordingInAZone : public ::testing::Test {
  protected:
    void SetUp() override { Zone("CET-1CEST,M3.5.0,M10.5.0/3"); }
    void TearDown() override { Zone("UTC0"); }
};

TEST_F(RecordingInAZone, WhatTheWriterWritesTheReaderGivesBack) {
    const std::deque<Row> rows = {
        MakeRow(1796083200, {"120.3", "118.7", "120.1", "316", "97", "2225", "-456", "60.0", "3"},
                0),
        MakeRow(1796083202, {"", "118.6", "120.2", "-14", "-98", "0", "0", "59.9", "-16"}, 1),
        MakeRow(1782864000, {"", "", "", "", "", "", "", "", ""}, 42),  // summer time
    };
    const std::string text = RecordingText(rows);
    EXPECT_EQ(text.substr(text.find('\n') + 1, 70),
              "2026-12-01T01:00:00+01:00,120.3,118.7,120.1,316,97,2225,-456,60.0,3,0\n");
    EXPECT_NE(text.find("\n2026-07-01T02:00:00+02:00,,,,,,,,,,42\n"), std::string::npos) << text;
    std::string error;
    const std::optional<std::deque<Row>> back = ParseRecording(WithCrLf(text), &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(*back, rows);
    EXPECT_FALSE((*back)[1].Number(kVld));  // empty: no number, never 0
    EXPECT_EQ((*back)[1].Number(kIld), -14);
}

TEST(MeteringRecording, TheReaderNamesWhatIsNotARecording) {
    const std::string row = "2026-12-01T01:00:00+01:00,120.3,118.7,120.1,316,97,2225,-456,60.0,3,0";
    struct Case {
        std::string text;
        std::size_t rows;  // when read
        std::string error;
    };
    const Case cases[] = {
        {kCrLfHeader + row + "\r\n" + row.substr(0, 30), 1, ""},  // the last row cut off
        {kCrLfHeader, 0, ""},
        {"Time,Vld\r\n" + row + "\r\n", 0, "its first line is not"},
        {"", 0, "its first line is not"},
        {kCrLfHeader + row.substr(0, 30) + "\r\n" + row + "\r\n", 0, "line 2 is not a row"},
        {kCrLfHeader + row + ",7\r\n", 0, "line 2 is not a row"},
        {kCrLfHeader + "2026-13-01T01:00:00+01:00,1,2,3,4,5,6,7,8,9,0\r\n", 0, "line 2"},
        {kCrLfHeader + "2026-12-01T01:00:00+01:00,x,2,3,4,5,6,7,8,9,0\r\n", 0, "line 2"},
        {kCrLfHeader + "2026-12-01T01:00:00+01:00,1,2,3,4,5,6,7,8,9,-1\r\n", 0, "line 2"},
    };
    for (const Case& c : cases) {
        std::string error;
        const std::optional<std::deque<Row>> rows = ParseRecording(c.text, &error);
        EXPECT_EQ(rows.has_value(), c.error.empty()) << c.text << error;
        if (rows) {
            EXPECT_EQ(rows->size(), c.rows) << c.text;
        } else {
            EXPECT_NE(error.find(c.error), std::string::npos) << error;
        }
    }
}

// What stands at the path decides: nothing or an empty file gets the header, a recording is
// continued (a row a crash cut off dropped first), anything else is left as it was.
TEST(MeteringRecording, AFileIsContinuedOnlyUnderItsOwnHeader) {
    PrivateWorkingDir cwd;
    Zone("UTC0");
    const std::string row = "2026-12-01T01:00:00+00:00,1,2,3,4,5,6,7,8,9,0\r\n";
    struct Case {
        const char* name;
        std::optional<std::string> before;
        RecordingFile::Opened opened;
        std::string after;  // once a row was added
    };
    const Case cases[] = {
        {"new", std::nullopt, RecordingFile::Opened::kYes, kCrLfHeader + row},
        {"empty", "", RecordingFile::Opened::kYes, kCrLfHeader + row},
        {"continued", kCrLfHeader + row, RecordingFile::Opened::kYes, kCrLfHeader + row + row},
        {"cut", kCrLfHeader + row + "2026-12-01T0", RecordingFile::Opened::kYes,
         kCrLfHeader + row + row},
        {"lf",
         std::string("Time,Vld,Vs,Vcomp,Ild,Pf,KW,KVAR,Freq,Tap Position,Requests Without "
                     "Reply\n"),
         RecordingFile::Opened::kYes,
         "Time,Vld,Vs,Vcomp,Ild,Pf,KW,KVAR,Freq,Tap Position,Requests Without Reply\n" + row},
        {"foreign", "MIN MAX Metering Info\r\n", RecordingFile::Opened::kNotARecording,
         "MIN MAX Metering Info\r\n"},
    };
    for (const Case& c : cases) {
        const std::string path = cwd.dir() + "/" + c.name + ".csv";
        if (c.before) {
            WriteFile(path, *c.before);
        }
        std::string error;
        EXPECT_EQ(RecordingFile::Check(path, &error), c.opened) << c.name;
        EXPECT_EQ(std::filesystem::exists(path), c.before.has_value()) << c.name;  // untouched
        RecordingFile file;
        ASSERT_EQ(file.Open(path, &error), c.opened) << c.name << error;
        if (c.opened == RecordingFile::Opened::kYes) {
            ASSERT_TRUE(file.Append(
                MakeRow(1796086800, {"1", "2", "3", "4", "5", "6", "7", "8", "9"}, 0), &error));
        } else {
            EXPECT_NE(error.find("is not a metering recording"), std::string::npos) << error;
        }
        EXPECT_EQ(ReadFile(path), c.after) << c.name;
    }
    std::string error;
    EXPECT_EQ(RecordingFile::Check(cwd.dir() + "/no/such/folder.csv", &error),
              RecordingFile::Opened::kCannotWrite);
}

}  // namespace
