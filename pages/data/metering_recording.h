#pragma once
// A recording of the panel's metering: one row per automatic-refresh cycle of the Metering page
// (time, Vld, Vs, Vcomp, Ild, Pf, KW, KVAR, Freq, tap position, and how many of the cycle's
// requests went without a reply), as a CSV file that grows a row at a time. The command line's
// recorder and the Trend window's Save and Open share it. No toolkit here.
#include <array>
#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pages/kit/text_file.h"
#include "pages/kit/user_prompts.h"

class CPPTwo;

namespace metering_recording {

using Clock = std::chrono::system_clock;

inline constexpr char kHeader[] =
    "Time,Vld,Vs,Vcomp,Ild,Pf,KW,KVAR,Freq,Tap Position,Requests Without Reply";
enum Column { kVld, kVs, kVcomp, kIld, kPf, kKw, kKvar, kFreq, kTapPosition, kColumns };

struct Row {
    Clock::time_point time;  // whole seconds
    // As the Metering page shows each value; "" when its read got no reply (never a 0 that
    // was not measured).
    std::array<std::string, kColumns> values;
    int unanswered = 0;

    std::optional<double> Number(Column column) const;
    bool operator==(const Row&) const = default;
};

// The row of a cycle that just ended, from what its reads left in the value store.
Row RowFromStore(Clock::time_point time, int unanswered);

// "2026-12-09T14:05:09+01:00": the local time with its offset from UTC.
std::string IsoLocalTime(Clock::time_point time);
std::optional<Clock::time_point> ParseIsoTime(std::string_view text);

// One row as a line (LF ended), and a whole recording with its header.
std::string RowLine(const Row& row);
std::string RecordingText(const std::deque<Row>& rows);

// The rows of a recording's text; an unfinished last line (cut off by a crash) is left out.
// nullopt with `error` naming the first line that is not a row, or saying that the header is
// not a recording's.
std::optional<std::deque<Row>> ParseRecording(std::string_view text, std::string* error);

// A recording file opened to be continued.
class RecordingFile {
  public:
    enum class Opened { kYes, kNotARecording, kCannotWrite };

    // Why `path` cannot be recorded to, found without changing anything: kNotARecording for a
    // file whose first line is not the header, kCannotWrite for one that cannot be written.
    static Opened Check(const std::string& path, std::string* error);
    // Opens `path` for appending: a missing or empty file gets the header; one with the header
    // is continued (a last line a crash cut off is dropped first); anything else is refused.
    Opened Open(const std::string& path, std::string* error);
    // The row written and synced to the disk.
    bool Append(const Row& row, std::string* error);

  private:
    AppendingFile file_;
};

// One recording cycle: the page's automatic-refresh reads, then its row.
Row RecordCycle(CPPTwo& page, UserPrompts& prompts, const std::function<Clock::time_point()>& now);

// The Trend window's "Save…": the rows it holds, through the save dialog.
ExportOutcome SaveRecording(UserPrompts& prompts, const std::deque<Row>& rows);
// The Trend window's "Open…": a recording the user picks; nullopt when cancelled or not a
// recording (after a box saying why). `path` gets the file's name.
std::optional<std::deque<Row>> OpenRecording(UserPrompts& prompts, std::string* path);

inline constexpr char kSaveTitle[] = "Save Metering Recording";
inline constexpr char kOpenTitle[] = "Open Metering Recording";
inline constexpr char kEnding[] = "_REC.csv";
inline constexpr char kNotARecordingText[] = "is not a metering recording";
// The largest recording opened: about two weeks of rows every 2 seconds.
inline constexpr std::size_t kMaxBytes = std::size_t{64} << 20;

}  // namespace metering_recording
