#include "protocol/packed_time.h"

#include <algorithm>

namespace {

char Digit(unsigned digit) {
    return static_cast<char>('0' + digit % 10);
}

char* PutTwoDigits(char* out, unsigned field) {
    *out++ = Digit(field / 10);
    *out++ = Digit(field);
    return out;
}

char* PutYear(char* out, unsigned year) {
    *out++ = Digit(year / 1000);
    *out++ = Digit(year / 100);
    *out++ = Digit(year / 10);
    *out++ = Digit(year);
    return out;
}

void FormatDate(unsigned v, char* out, int dateOrder) {
    const unsigned year = ((v >> 9) & 63u) + kFirstPackedYear;
    const unsigned month = (v >> 5) & 15u;
    const unsigned day = v & 31u;
    switch (dateOrder) {
        case kDateOrderMonthDayYear:
            out = PutTwoDigits(out, month);
            *out++ = '/';
            out = PutTwoDigits(out, day);
            *out++ = '/';
            out = PutYear(out, year);
            break;
        case kDateOrderDayMonthYear:
            out = PutTwoDigits(out, day);
            *out++ = '/';
            out = PutTwoDigits(out, month);
            *out++ = '/';
            out = PutYear(out, year);
            break;
        default:
            out = PutYear(out, year);
            *out++ = '/';
            out = PutTwoDigits(out, month);
            *out++ = '/';
            out = PutTwoDigits(out, day);
            break;
    }
    *out = '\0';
}

void FormatTime(unsigned v, char* out) {
    out = PutTwoDigits(out, (v >> 11) & 31u);
    *out++ = ':';
    out = PutTwoDigits(out, (v >> 5) & 63u);
    *out++ = ':';
    out = PutTwoDigits(out, v & 31u);
    *out = '\0';
}

}  // namespace

void FormatPackedValue(int32_t value, char* buffer, int kind, int dateOrder) {
    if (buffer == nullptr) {
        return;
    }
    const unsigned v = static_cast<uint32_t>(value) & 0xFFFFu;
    if (kind == kPackedDate) {
        if (dateOrder < 0 || dateOrder >= kDateOrderCount) {
            return;
        }
        FormatDate(v, buffer, dateOrder);
    } else if (kind == kPackedTime) {
        FormatTime(v, buffer);
    }
}

std::string PackedValueText(int32_t value, int kind, int dateOrder) {
    char buffer[kPackedTextBufferSize] = {};
    FormatPackedValue(value, buffer, kind, dateOrder);
    return buffer;
}

uint16_t PackClockTime(int hour, int minute, int second) {
    const unsigned h = static_cast<unsigned>(hour) & 31u;
    const unsigned m = static_cast<unsigned>(minute) & 63u;
    const unsigned s = static_cast<unsigned>(std::clamp(second, 0, 31));
    return static_cast<uint16_t>((h << 11) | (m << 5) | s);
}

std::optional<uint16_t> PackClockDate(int year, int month, int day) {
    if (year < kFirstPackedYear || year > kLastPackedYear || month < 1 || month > 12 || day < 1 ||
        day > 31) {
        return std::nullopt;
    }
    return static_cast<uint16_t>((year - kFirstPackedYear) * 512 + month * 32 + day);
}
