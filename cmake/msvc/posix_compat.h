// Forced into every MSVC compilation (/FI): the few POSIX names the toolkit-free core uses that
// MSVC's C library spells differently. MinGW-w64 has them already.
#pragma once

#ifdef _MSC_VER
#include <time.h>

inline struct tm* localtime_r(const time_t* time, struct tm* result) {
    return localtime_s(result, time) == 0 ? result : nullptr;
}
#endif
