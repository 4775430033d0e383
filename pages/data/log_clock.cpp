#include "pages/data/log_clock.h"

#include <cstdio>

namespace {

constexpr std::time_t kHour = 3600;

bool IsFlag(int value) {
    return value == 0 || value == 1;
}

std::string Numbers(int first, int second, int third, char separator) {
    char text[48];
    std::snprintf(text, sizeof text, "%d%c%d%c%d", first, separator, second, separator, third);
    return text;
}

}  // namespace

std::tm PanelBrokenDownTime(int32_t packedDate, int32_t packedTime) {
    std::tm t{};
    t.tm_year = 90 + ((packedDate >> 9) & 63);
    t.tm_mon = ((packedDate >> 5) & 15) - 1;
    t.tm_mday = packedDate & 31;
    t.tm_hour = (packedTime >> 11) & 31;
    t.tm_min = (packedTime >> 5) & 63;
    t.tm_sec = packedTime & 31;
    return t;
}

LogClockOffset TakeClockOffset(std::time_t now, int32_t panelDate, int32_t panelTime) {
    LogClockOffset offset;
    std::tm pc{};
    if (localtime_r(&now, &pc) != nullptr) {
        offset.pcDaylightSaving = pc.tm_isdst;
    }
    std::tm panel = PanelBrokenDownTime(panelDate, panelTime);
    panel.tm_isdst = offset.pcDaylightSaving;
    const std::time_t panelNow = std::mktime(&panel);
    offset.panelDaylightSaving = panel.tm_isdst;
    offset.seconds = now - panelNow;
    return offset;
}

bool AdjustTimeStamp(const LogClockOffset& offset, int32_t packedDate, int32_t packedTime,
                     int dateOrder, AdjustedTimeStamp& out) {
    const int p = offset.pcDaylightSaving;
    const int n = offset.panelDaylightSaving;
    const bool flagsKnown = IsFlag(p) && IsFlag(n);

    // Read as daylight-saving time; on a standard-time date that lands an hour early, which
    // the flag mktime leaves (r) reveals.
    std::tm record = PanelBrokenDownTime(packedDate, packedTime);
    record.tm_isdst = 1;
    std::time_t at = std::mktime(&record);
    const int r = record.tm_isdst;
    at += offset.seconds;
    if (flagsKnown && ((p == 1 && n != r) || (p == 0 && n == r))) {
        at += kHour;
    }

    std::tm local{};
    if (localtime_r(&at, &local) == nullptr) {
        return false;
    }
    const int d = local.tm_isdst;
    std::time_t change = 0;
    if (flagsKnown && n == p) {
        if (r == 1 && d == 0) {
            change = kHour;
        } else if (r == 0 && d == 1) {
            change = -kHour;
        }
    } else if (flagsKnown && r == 1 && d == 1) {
        change = -kHour;
    }
    if (change != 0) {
        at += change;
        if (localtime_r(&at, &local) == nullptr) {
            return false;
        }
    }

    const int year = local.tm_year + 1900;
    const int month = local.tm_mon + 1;
    out.date = dateOrder == 0 ? Numbers(month, local.tm_mday, year, '/')
                              : Numbers(local.tm_mday, month, year, '/');
    out.time = Numbers(local.tm_hour, local.tm_min, local.tm_sec, ':');
    return true;
}
