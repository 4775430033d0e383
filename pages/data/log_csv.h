#pragma once
// The log file ("_log.csv"): three header lines, then the event log and the interval log, each
// with its column names and one row per record. The texts have LF line ends; the file writer
// stores them as CR LF.
//
// Rows 1 and 2 of a log are written from its first two records whatever they hold; from the
// third record on, rows follow up to the first record whose ID is 0. The source-voltage
// column is "N/A" in rows 1 and 2 and, from row 3 on, the source voltage of the record before
// the row's own: the panel reports each record's source voltage one record late.
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "pages/data/log_records.h"

struct LogFileHeader {
    std::string proposedName;  // the name the save dialog proposed
    int32_t panelDate = 0;     // the panel clock as read, packed
    int32_t panelTime = 0;
    bool autoAdjust = false;
};

std::string LogHeaderText(const LogFileHeader& header);

// "Event Log", its column names and its rows. `records` are the records this download read,
// at least two of them (a record not read is an empty one). `onLaterRow` is called for each
// row from the third on.
std::string EventLogText(std::span<const EventLogRecord> records,
                         const std::function<void()>& onLaterRow);
// An empty line, "Interval Log", its column names and its rows; as above.
std::string IntervalLogText(std::span<const IntervalLogRecord> records,
                            const std::function<void()>& onLaterRow);
