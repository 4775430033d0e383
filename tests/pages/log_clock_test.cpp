// Record times moved onto the PC's clock, in New York's zone, on both sides of the 2026
// daylight-saving switches (8 March 02:00 EST -> 03:00 EDT, 1 November 02:00 EDT -> 01:00 EST).
#include <gtest/gtest.h>

#include "pages/data/log_clock.h"
#include "sim/panel_registers.h"
#include "tests/pages/log_download_fixture.h"

namespace {

using namespace testing_support;

struct Moment {
    int year, month, day, hour, minute, second;
};

struct Case {
    const char* what;
    Moment pc;
    Moment panel;
    int pcFlag, panelFlag;  // as the offset takes them
    long offset;
    Moment record;
    int dateOrder;
    const char* date;
    const char* time;
};

constexpr long kDay = 86400;

const Case kCases[] = {
    // The PC 1 h 5 s ahead of a panel clock, both in daylight-saving time.
    {"summer record",
     {2026, 3, 14, 11, 42, 22},
     {2026, 3, 14, 10, 42, 17},
     1,
     1,
     3605,
     {2026, 3, 9, 12, 0, 0},
     0,
     "3/9/2026",
     "13:0:5"},
    {"winter record",
     {2026, 3, 14, 11, 42, 22},
     {2026, 3, 14, 10, 42, 17},
     1,
     1,
     3605,
     {2026, 3, 7, 12, 0, 0},
     0,
     "3/7/2026",
     "13:0:5"},
    // Moved past the switch, it keeps the standard-time reading of its own side.
    {"just before the switch",
     {2026, 3, 14, 11, 42, 22},
     {2026, 3, 14, 10, 42, 17},
     1,
     1,
     3605,
     {2026, 3, 8, 1, 30, 0},
     0,
     "3/8/2026",
     "1:30:5"},
    // Both clocks in standard time and equal: records on either side keep their time.
    {"winter clocks, summer record",
     {2026, 3, 1, 10, 0, 0},
     {2026, 3, 1, 10, 0, 0},
     0,
     0,
     0,
     {2026, 3, 9, 12, 0, 0},
     1,
     "9/3/2026",
     "12:0:0"},
    {"winter clocks, winter record",
     {2026, 3, 1, 10, 0, 0},
     {2026, 3, 1, 10, 0, 0},
     0,
     0,
     0,
     {2026, 3, 7, 12, 0, 0},
     1,
     "7/3/2026",
     "12:0:0"},
    {"after the autumn switch, summer record",
     {2026, 11, 10, 9, 0, 0},
     {2026, 11, 10, 9, 0, 0},
     0,
     0,
     0,
     {2026, 10, 30, 12, 0, 0},
     0,
     "10/30/2026",
     "12:0:0"},
    {"after the autumn switch, winter record",
     {2026, 11, 10, 9, 0, 0},
     {2026, 11, 10, 9, 0, 0},
     0,
     0,
     0,
     {2026, 11, 2, 12, 0, 0},
     0,
     "11/2/2026",
     "12:0:0"},
    // The PC in daylight-saving time, the panel clock on a standard-time date 13 days behind.
    {"panel in winter, same record",
     {2026, 3, 14, 10, 0, 0},
     {2026, 3, 1, 9, 0, 0},
     1,
     0,
     13 * kDay + 3600,
     {2026, 3, 1, 9, 0, 0},
     0,
     "3/14/2026",
     "10:0:0"},
    {"panel in winter, summer record",
     {2026, 3, 14, 10, 0, 0},
     {2026, 3, 1, 9, 0, 0},
     1,
     0,
     13 * kDay + 3600,
     {2026, 3, 10, 9, 0, 0},
     2,
     "23/3/2026",
     "10:0:0"},
};

std::uint16_t Date(const Moment& m) {
    return sim::PackDate(static_cast<unsigned>(m.year), static_cast<unsigned>(m.month),
                         static_cast<unsigned>(m.day));
}
std::uint16_t Time(const Moment& m) {
    return sim::PackTime(static_cast<unsigned>(m.hour), static_cast<unsigned>(m.minute),
                         static_cast<unsigned>(m.second));
}

TEST(LogClock, RecordTimesFollowThePcClockAcrossDaylightSavingSwitches) {
    ScopedTimeZone zone(kNewYorkZone);
    for (const Case& c : kCases) {
        const std::time_t now =
            LocalClock(c.pc.year, c.pc.month, c.pc.day, c.pc.hour, c.pc.minute, c.pc.second);
        const LogClockOffset offset = TakeClockOffset(now, Date(c.panel), Time(c.panel));
        EXPECT_EQ(offset.pcDaylightSaving, c.pcFlag) << c.what;
        EXPECT_EQ(offset.panelDaylightSaving, c.panelFlag) << c.what;
        EXPECT_EQ(offset.seconds, c.offset) << c.what;
        AdjustedTimeStamp adjusted;
        ASSERT_TRUE(AdjustTimeStamp(offset, Date(c.record), Time(c.record), c.dateOrder, adjusted));
        EXPECT_EQ(adjusted.date, c.date) << c.what;
        EXPECT_EQ(adjusted.time, c.time) << c.what;
    }
}

}  // namespace
