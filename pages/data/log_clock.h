#pragma once
// Moving the time stamps of log records from the panel's clock onto the PC's clock. The panel
// keeps local time with its own daylight-saving setting, so the shift is the difference of
// the two clocks taken once per download, corrected by an hour where the record and the
// clocks lie on different sides of a daylight-saving switch. Works in the process's time zone
// (TZ) through the C library's mktime and localtime: a daylight-saving flag of 1 makes mktime
// read the time as daylight-saving time, and the flag it leaves tells the actual date's.
#include <cstdint>
#include <ctime>
#include <string>

// The packed date and time of the panel as a broken-down local time, the daylight-saving flag
// left at 0: year 1990 + the year field, month field - 1, day, hour, minute and second as
// they are packed.
std::tm PanelBrokenDownTime(int32_t packedDate, int32_t packedTime);

struct LogClockOffset {
    std::time_t seconds = 0;      // added to a panel time to give PC time
    int pcDaylightSaving = 0;     // the PC's flag when the offset was taken
    int panelDaylightSaving = 0;  // the panel clock's flag as mktime normalised it
};

// Taken right after the panel's clock (packed date and time) was read; `now` is the PC's time.
LogClockOffset TakeClockOffset(std::time_t now, int32_t panelDate, int32_t panelTime);

struct AdjustedTimeStamp {
    std::string date;  // "%d/%d/%d": month/day/year for date order 0, else day/month/year
    std::string time;  // "%d:%d:%d"
};

// A record's packed date and time on the PC's clock. False, leaving `out` alone, when the C
// library cannot represent the time.
bool AdjustTimeStamp(const LogClockOffset& offset, int32_t packedDate, int32_t packedTime,
                     int dateOrder, AdjustedTimeStamp& out);
