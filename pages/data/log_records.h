#pragma once
// The panel's event and interval log records as the log download holds them: converted from
// the registers of one record read (11/7..18 for an event, 11/42..73 for an interval) into
// the values and texts the log file shows. One store of each kind lives for the whole run.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kLogRecordCapacity = 1000;  // records of each log one download reads
inline constexpr int kEventRecordWords = 12;
inline constexpr int kIntervalRecordWords = 32;
inline constexpr int kIntervalValues = 23;  // VL .. KVAdmd
inline constexpr int kIntervalTaps = 3;     // Tap, Tapmax, Tapmin

struct EventLogRecord {
    uint16_t id = 0;  // 0 ends the log
    std::string date;
    std::string time;
    uint16_t cause = 0;
    float loadVolts = 0;
    float loadAmps = 0;
    float powerFactor = 0;
    float kw = 0;
    float kvar = 0;
    float kva = 0;
    std::string tap;
    float sourceVolts = 0;
};

struct IntervalLogRecord {
    uint16_t id = 0;  // 0 ends the log
    std::string date;
    std::string time;
    // In column order: VL, VLmax, VLmin, VLdmd, ILd, ILmax, ILmin, ILdmd (tenths), PF,
    // PF@KVAmax, PF@KVAmin (hundredths), then KW, KVAR and KVA with their max, min and dmd.
    std::array<float, kIntervalValues> values{};
    std::array<std::string, kIntervalTaps> taps;
    uint32_t operations = 0;
    float sourceVolts = 0;
};

// `words` holds the record's registers in order; dates are shown in `dateOrder`.
EventLogRecord DecodeEventRecord(const int32_t* words, int dateOrder);
IntervalLogRecord DecodeIntervalRecord(const int32_t* words, int dateOrder);

// The cause table's text for a code; "?????????? (47)" for a code the table does not have, so
// that it cannot be taken for code 0.
std::string CauseText(int32_t code);
// "+0" .. "+16" for 0..16, "-1" .. "-16" for the words 65535..65520, "UNKNOWN" otherwise.
std::string TapText(int32_t word);

// The stores the download fills from index 0, kLogRecordCapacity records each.
std::vector<EventLogRecord>& EventLogStore();
std::vector<IntervalLogRecord>& IntervalLogStore();
// Back to the start-up state (for tests; the tool never resets them).
void ResetLogRecords();
