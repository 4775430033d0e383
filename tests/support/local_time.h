#pragma once
#include <ctime>

namespace testing_support {

// A local time as the C library's clock gives it, for clocks injected into the tool.
inline std::tm LocalTime(int year, int month, int day, int hour, int minute, int second,
                         int weekday = 0) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_wday = weekday;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

}  // namespace testing_support
