#pragma once
// "Download Logs": the panel's event and interval logs read record by record under the
// progress window, optionally moved onto the PC's clock, and written into one CSV file
// (log_csv.h). The panel hands out one record per read after its log's start command.
#include <ctime>
#include <functional>

#include "pages/data/log_records.h"
#include "pages/kit/text_file.h"
#include "pages/kit/user_prompts.h"

struct LogDownloadRequest {
    int events = 0;  // records to read, 0..kLogRecordCapacity (cut to that range)
    int intervals = 0;
    bool autoAdjust = false;  // record times moved onto the PC's clock
    // The PC's clock, for the proposed file name and the clock offset; the system clock when
    // empty.
    std::function<std::time_t()> now;
};

// Asks for the file, reads, writes it and says "File Created"; the caller has checked the
// connection.
ExportOutcome DownloadLogs(UserPrompts& prompts, const LogDownloadRequest& request);

namespace log_download_text {
inline constexpr char kFileTitle[] = "Save Log File";
inline constexpr char kEnding[] = "_log.csv";
inline constexpr char kExtension[] = "CSV";
inline constexpr char kFilter[] = "LOG FILE (*.csv)|*.csv||";
inline constexpr char kProgressTitle[] = "Progress";
inline constexpr char kProgressText[] =
    "Downloading Logs From Panel and Creating a File...\n\nPlease Wait.";
}  // namespace log_download_text
