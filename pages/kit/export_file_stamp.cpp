#include "pages/kit/export_file_stamp.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// asctime itself is undefined for fields out of range; such a field is named "???" instead.
const char* NameOf(const char* const* names, int count, int index) {
    return index >= 0 && index < count ? names[index] : "???";
}

int TwelveHour(int hour) {
    if (hour == 0) {
        return 12;
    }
    return hour > 12 ? hour - 12 : hour;
}

}  // namespace

std::string ExportFileStamp(const std::tm& localTime, std::string_view ending) {
    // Wide enough for any int field, so an odd time can't cut the name short.
    char text[96];
    std::snprintf(text, sizeof text, "%s %s %02d %02d:%02d:%02d %lld\n%s",
                  NameOf(kWeekdays, 7, localTime.tm_wday), NameOf(kMonths, 12, localTime.tm_mon),
                  localTime.tm_mday, TwelveHour(localTime.tm_hour), localTime.tm_min,
                  localTime.tm_sec, static_cast<long long>(localTime.tm_year) + 1900,
                  localTime.tm_hour < 12 ? "AM" : "PM");
    std::string stamp = text;
    stamp.append(ending);
    std::replace_if(
        stamp.begin(), stamp.end(), [](char c) { return c == ':' || c == ' ' || c == '\n'; }, '_');
    return stamp;
}

std::tm LocalTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

std::string ExportFileStamp(std::string_view ending, const std::function<std::tm()>& clock) {
    return ExportFileStamp(clock ? clock() : LocalTimeNow(), ending);
}
