#include "pages/data/log_csv.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "protocol/packed_time.h"

namespace {

constexpr const char* kEventColumns[] = {"ID", "Date", "Time", "Cause", "Vload",        "Iload",
                                         "PF", "KW",   "KVAR", "KVA",   "Tap Position", "Vsrc"};
constexpr const char* kIntervalColumns[] = {
    "ID",     "Date",   "Time",  "VL",      "VLmax",     "VLmin",     "VLdmd", "ILd",
    "ILmax",  "ILmin",  "ILdmd", "PF",      "PF@KVAmax", "PF@KVAmin", "KW",    "KWmax",
    "KWmin",  "KWdmd",  "KVAR",  "KVARmax", "KVARmin",   "KVARdmd",   "KVA",   "KVAmax",
    "KVAmin", "KVAdmd", "Tap",   "Tapmax",  "Tapmin",    "Ops",       "Vsrc"};

// The interval values' formats in column order: voltages and currents, power factors, powers.
const char* IntervalValueFormat(int index) {
    return index < 8 ? "%.1f" : (index < 11 ? "%.2f" : "%.0f");
}

#if defined(__GNUC__)
#define VOLTSCOPE_PRINTF_FORMAT __attribute__((format(printf, 1, 2)))
#else
#define VOLTSCOPE_PRINTF_FORMAT
#endif
// The compilers that know the attribute check every call's arguments against the format.
VOLTSCOPE_PRINTF_FORMAT std::string Format(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

std::string Value(const char* format, float value) {
    char text[64];
    std::snprintf(text, sizeof text, format, static_cast<double>(value));
    return text;
}

template <std::size_t N>
std::string ColumnNames(const char* const (&names)[N]) {
    std::string line;
    for (const char* name : names) {
        line += (line.empty() ? "\"" : ",\"") + std::string(name) + "\"";
    }
    return line + "\n";
}

// The source-voltage column of a row: "N/A" in rows 1 and 2, otherwise the record before's.
template <typename Record>
std::string SourceVolts(std::span<const Record> records, std::size_t row) {
    return row < 2 ? std::string("N/A") : Value("%.1f", records[row - 1].sourceVolts);
}

std::string EventRow(std::span<const EventLogRecord> records, std::size_t row) {
    const EventLogRecord& r = records[row];
    return Format("%d,%s,%s,%s,%.1f,%.1f,%.2f,%.0f,%.0f,%.0f,%s,", r.id, r.date.c_str(),
                  r.time.c_str(), CauseText(r.cause).c_str(), static_cast<double>(r.loadVolts),
                  static_cast<double>(r.loadAmps), static_cast<double>(r.powerFactor),
                  static_cast<double>(r.kw), static_cast<double>(r.kvar),
                  static_cast<double>(r.kva), r.tap.c_str()) +
           SourceVolts(records, row) + "\n";
}

std::string IntervalRow(std::span<const IntervalLogRecord> records, std::size_t row) {
    const IntervalLogRecord& r = records[row];
    std::string line = Format("%d,%s,%s", r.id, r.date.c_str(), r.time.c_str());
    for (int i = 0; i < kIntervalValues; ++i) {
        line += "," + Value(IntervalValueFormat(i), r.values[static_cast<std::size_t>(i)]);
    }
    for (const std::string& tap : r.taps) {
        line += "," + tap;
    }
    return line + "," + std::to_string(r.operations) + "," + SourceVolts(records, row) + "\n";
}

// Rows 1 and 2 always; then up to the first record with ID 0, within the records read.
template <typename Record, typename Row>
std::string Rows(std::span<const Record> records, Row row,
                 const std::function<void()>& onLaterRow) {
    std::vector<Record> padded;
    if (records.size() < 2) {
        padded.assign(records.begin(), records.end());
        padded.resize(2);
        records = padded;
    }
    std::string text = row(records, 0) + row(records, 1);
    for (std::size_t i = 2; i < records.size() && records[i].id != 0; ++i) {
        text += row(records, i);
        if (onLaterRow) {
            onLaterRow();
        }
    }
    return text;
}

}  // namespace

std::string LogHeaderText(const LogFileHeader& header) {
    return Format("Current PC Date:%s\n", header.proposedName.c_str()) +
           Format("Panel Date:,%s",
                  PackedValueText(header.panelDate, kPackedDate, kDateOrderMonthDayYear).c_str()) +
           Format(",Panel Time:,%s\n", PackedValueText(header.panelTime, kPackedTime, 0).c_str()) +
           (header.autoAdjust ? "Auto Adjust Time/Date Enabled\n"
                              : "Auto Adjust Time/Data Disabled\n");
}

std::string EventLogText(std::span<const EventLogRecord> records,
                         const std::function<void()>& onLaterRow) {
    return "Event Log\n" + ColumnNames(kEventColumns) + Rows(records, EventRow, onLaterRow);
}

std::string IntervalLogText(std::span<const IntervalLogRecord> records,
                            const std::function<void()>& onLaterRow) {
    return "\nInterval Log\n" + ColumnNames(kIntervalColumns) +
           Rows(records, IntervalRow, onLaterRow);
}
