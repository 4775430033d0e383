#include "pages/data/log_records.h"

#include <array>
#include <iterator>

#include "protocol/packed_time.h"
#include "protocol/value_store.h"

namespace {

// Index = the cause code of an event record; the texts keep their trailing blanks.
constexpr const char* kCauseTexts[] = {
    "??????????",  "Tap Change", "Tap Neut  ",  "Tap RaiseN", "Tap LowerN", "VLC Lower ",
    "VLC Off   ",  "VLC Upper ", "VRC Off   ",  "VRC Stage1", "VRC Stage2", "VRC Stage3",
    "VRC Local ",  "VRC Auto1 ", "VRC Auto2 ",  "Fw PwrFlow", "Rv PwrFlow", "Reg Config",
    "Sys Config",  "Dmd Config", "Harm Cfg  ",  "Password  ", "Log Setup ", "Comm Cfg  ",
    "Power Down",  "Power Up  ", "Low Current", "Auto Inhib", "Tap Track ", "Midpointer (TM)",
    "Tap Pos ??",  "Low PT    ", "Iload High",  "NV RAM    ", "Low Batt  ", "High Volts",
    "Not In Auto", "RaiseLimit", "LowerLimit",  "Self Test ", "Pseudo Man", "CBEMA 70 %",
    "CBEMA 75 %",  "CBEMA 80 %", "CBEMA 85 %",  "CBEMA 90 %", "CBEMA 95 %",
};
static_assert(std::size(kCauseTexts) == 47);
constexpr const char* kUnknownCause = "??????????";

constexpr int kHighestTap = 16;

// Held as single-precision numbers, as the file's columns are computed from them.
float Tenths(int32_t slot) {
    return static_cast<float>(SignedWord(slot) * 0.1);
}
float Hundredths(int32_t slot) {
    return static_cast<float>(SignedWord(slot) * 0.01);
}
float Whole(int32_t slot) {
    return static_cast<float>(SignedWord(slot));
}

}  // namespace

std::string CauseText(int32_t code) {
    if (code < 0 || code >= static_cast<int32_t>(std::size(kCauseTexts))) {
        // With its number: a code the table lacks must not read as code 0.
        return std::string(kUnknownCause) + " (" + std::to_string(code) + ")";
    }
    return kCauseTexts[code];
}

std::string TapText(int32_t word) {
    const uint16_t w = Word(word);
    if (w <= kHighestTap) {
        return "+" + std::to_string(w);
    }
    if (w >= 65536 - kHighestTap) {
        return std::to_string(w - 65536);
    }
    return "UNKNOWN";
}

EventLogRecord DecodeEventRecord(const int32_t* w, int dateOrder) {
    EventLogRecord r;
    r.id = Word(w[0]);
    r.date = PackedValueText(w[1], kPackedDate, dateOrder);
    r.time = PackedValueText(w[2], kPackedTime, dateOrder);
    r.cause = Word(w[3]);
    r.loadVolts = Tenths(w[4]);
    r.loadAmps = Tenths(w[5]);
    r.powerFactor = Hundredths(w[6]);
    r.kw = Whole(w[7]);
    r.kvar = Whole(w[8]);
    r.kva = Whole(w[9]);
    r.tap = TapText(w[10]);
    r.sourceVolts = Tenths(w[11]);
    return r;
}

IntervalLogRecord DecodeIntervalRecord(const int32_t* w, int dateOrder) {
    IntervalLogRecord r;
    r.id = Word(w[0]);
    r.date = PackedValueText(w[1], kPackedDate, dateOrder);
    r.time = PackedValueText(w[2], kPackedTime, dateOrder);
    // Registers 45..52 tenths, 53..55 hundredths, 56..67 whole numbers.
    for (int i = 0; i < kIntervalValues; ++i) {
        const int32_t slot = w[3 + i];
        r.values[static_cast<std::size_t>(i)] =
            i < 8 ? Tenths(slot) : (i < 11 ? Hundredths(slot) : Whole(slot));
    }
    for (int i = 0; i < kIntervalTaps; ++i) {
        r.taps[static_cast<std::size_t>(i)] = TapText(w[26 + i]);
    }
    r.operations = (static_cast<uint32_t>(Word(w[29])) << 16) | Word(w[30]);
    r.sourceVolts = Tenths(w[31]);
    return r;
}

std::vector<EventLogRecord>& EventLogStore() {
    static std::vector<EventLogRecord> store(kLogRecordCapacity);
    return store;
}

std::vector<IntervalLogRecord>& IntervalLogStore() {
    static std::vector<IntervalLogRecord> store(kLogRecordCapacity);
    return store;
}

void ResetLogRecords() {
    EventLogStore().assign(kLogRecordCapacity, {});
    IntervalLogStore().assign(kLogRecordCapacity, {});
}
