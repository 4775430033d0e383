// logs-export: the Logs and Quick Key page's "Download Logs" run headless: the log counts as
// "Refresh" reads them, the quantities typed into "Dld Qty:" and the "Auto Adjust log time:"
// choice made as a user makes them, then the page's own download into FILE.
#include <memory>
#include <optional>
#include <string>

#include "cli/arguments.h"
#include "cli/headless_prompts.h"
#include "cli/reply_status.h"
#include "cli/verb.h"
#include "pages/data/logs_quick_key_page.h"
#include "pages/kit/list_selection.h"
#include "resources/ids/logs_quick_key.h"

namespace cli {
namespace {

using namespace ids::logs;

struct LogsArgs {
    std::string file;
    std::optional<unsigned> events;
    std::optional<unsigned> intervals;
    bool adjust = false;
};

void Pick(CPPThree& page, int id, const std::string& item, UserPrompts& prompts) {
    SelectItem(page.Form()[id], item);
    page.OnSelectionChanged(id, prompts);
}

int RunLogsExport(const LogsArgs& a) {
    // The one question asked is the auto-adjust one, answered Yes for --adjust.
    HeadlessPrompts prompts(a.adjust, a.file);
    CPPThree page;
    page.RefreshCounts(prompts);
    if (a.events) {
        page.Form()[kEventsToDownload].text = std::to_string(*a.events);
    }
    if (a.intervals) {
        page.Form()[kIntervalsToDownload].text = std::to_string(*a.intervals);
    }
    Pick(page, kAutoAdjustLogTime, a.adjust ? "YES" : "NO", prompts);
    const ExportOutcome outcome = page.ExportLogs(prompts);
    const int status = ReplyStatus();
    if (status != kExitOk) {
        return status;
    }
    return outcome == ExportOutcome::kWritten ? kExitOk : kExitCannotWrite;
}

}  // namespace

void AddLogsVerbs(CLI::App& app, std::vector<Verb>& verbs) {
    auto a = std::make_shared<LogsArgs>();
    CLI::App* command = app.add_subcommand(
        "logs-export",
        "Read the panel's log counts, then its event and interval logs; write them to FILE as "
        "the Logs page's \"Download Logs\" does (\"_log.csv\" layout)");
    command->add_option("FILE", a->file, "the CSV file to write")->required();
    NumberIn(command->add_option("--events", a->events,
                                 "event records to read (default: all the panel holds; at most "
                                 "1000 are read)"),
             0, 65535);
    NumberIn(command->add_option("--intervals", a->intervals,
                                 "interval records to read (default: all the panel holds; at "
                                 "most 1000 are read)"),
             0, 65535);
    command->add_flag("--adjust", a->adjust,
                      "move the record times onto this computer's clock (\"Auto Adjust log "
                      "time\" YES)");
    Verb verb{command, [a] { return RunLogsExport(*a); }};
    verb.output = &a->file;
    verbs.push_back(std::move(verb));
}

}  // namespace cli
