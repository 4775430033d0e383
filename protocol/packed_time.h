#pragma once
// The panel keeps each date and each time of day in one 16-bit register with packed fields:
//   date: bits 9..14 year - 1990, bits 5..8 month, bits 0..4 day (bit 15 unused)
//   time: bits 11..15 hour, bits 5..10 minute, bits 0..4 second
#include <cstdint>
#include <optional>
#include <string>

inline constexpr int kPackedDate = 0;
inline constexpr int kPackedTime = 1;

// Date orders as the panel's register 10/11 holds them.
inline constexpr int kDateOrderMonthDayYear = 0;
inline constexpr int kDateOrderDayMonthYear = 1;
inline constexpr int kDateOrderYearMonthDay = 2;
inline constexpr int kDateOrderCount = 3;
inline constexpr const char* kDateOrderNames[kDateOrderCount] = {"M/D/Y", "D/M/Y", "Y/M/D"};

inline constexpr int kPackedDateTextLength = 10;  // e.g. 03/15/2011
inline constexpr int kPackedTimeTextLength = 8;   // e.g. 13:05:09
inline constexpr int kPackedTextBufferSize = 11;

inline constexpr int kFirstPackedYear = 1990;
inline constexpr int kLastPackedYear = 2053;

// Writes the text of the low 16 bits of `value` and a terminating 0 into `buffer` (at least
// kPackedTextBufferSize bytes). Fields out of their calendar range are shown as they are. The
// date order matters only for a date. A kind other than date or time, a date order outside
// 0..2 for a date, or a null buffer leave the buffer as it was.
void FormatPackedValue(int32_t value, char* buffer, int kind, int dateOrder);

// The same text as a string; empty where FormatPackedValue writes nothing.
std::string PackedValueText(int32_t value, int kind, int dateOrder);

// Packs a time of day. The packed second holds 0..31 only, so a later second is packed as 31:
// the panel clock then runs at most 28 s behind, and the hour and minute stay exact. Hour and
// minute are kept to their field widths so that nothing spills into a neighbouring field.
uint16_t PackClockTime(int hour, int minute, int second);

// Packs a calendar date; nothing for a year outside 1990..2053, a month outside 1..12 or a day
// outside 1..31, which would spill into the neighbouring fields.
std::optional<uint16_t> PackClockDate(int year, int month, int day);
