#pragma once
// The Logs page ready for "Download Logs": a panel paced at a baud rate holding the logs to
// download, its port open, the page asking for all of them, and the file dialog answered with a
// file in the rig's folder.
#include <string>

#include "bench/bench_support.h"
#include "pages/data/logs_quick_key_page.h"
#include "pages/kit/app_flags.h"
#include "resources/ids/logs_quick_key.h"
#include "sim/log_records.h"

namespace bench {

struct LogDownloadRig {
    PacedPanel line;
    QuietPrompts prompts;
    CPPThree page;

    LogDownloadRig(unsigned com, unsigned baud, unsigned events, unsigned intervals)
        : line(com, baud) {
        prompts.file = line.home.path() + "/logs.csv";
        line.panel->withRegisters(
            [&](sim::PanelRegisters& r) { sim::FillLogs(r, events, intervals); });
        Flags().connected = true;
        page.Form()[ids::logs::kEventsToDownload].text = std::to_string(events);
        page.Form()[ids::logs::kIntervalsToDownload].text = std::to_string(intervals);
    }
    ~LogDownloadRig() { Flags().connected = false; }

    // One "Download Logs"; false when it wrote no file.
    bool Download() {
        const int created = prompts.created;
        page.OnCommand(ids::logs::kDownloadLogs, prompts);
        return prompts.created == created + 1;
    }
};

}  // namespace bench
