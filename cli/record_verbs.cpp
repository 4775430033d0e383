// metering-record: the Metering page's automatic-refresh cycle every few seconds, a row of the
// recording file for each, until --for has passed or the user interrupts the tool.
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "cli/arguments.h"
#include "cli/headless_prompts.h"
#include "cli/port_session.h"
#include "cli/verb.h"
#include "pages/data/metering_page.h"
#include "pages/data/metering_recording.h"

namespace cli {
namespace {

namespace rec = metering_recording;
using Steady = std::chrono::steady_clock;

struct RecordOptions {
    std::string file;
    unsigned every = 0;
    std::optional<std::chrono::seconds> duration;
};

// "90s", "15m", "8h", "2d", or a number of seconds.
std::optional<std::chrono::seconds> ParseDuration(const std::string& text) {
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        ++digits;
    }
    const std::string unit = text.substr(digits);
    if (digits == 0 || digits > 7 || unit.size() > 1) {
        return std::nullopt;
    }
    const long long count = std::stoll(text.substr(0, digits));
    const long long scale = unit.empty() || unit == "s" ? 1
                            : unit == "m"               ? 60
                            : unit == "h"               ? 3600
                            : unit == "d"               ? 86400
                                                        : 0;
    if (scale == 0 || count == 0) {
        return std::nullopt;
    }
    return std::chrono::seconds(count * scale);
}

// Set by an interruption: the recording ends once the row of the cycle under way is written.
class StopRequest {
  public:
    void Request() {
        std::lock_guard lock(mutex_);
        stopped_ = true;
        woken_.notify_all();
    }
    // Waits until `deadline`; true when stopped first.
    bool WaitUntil(Steady::time_point deadline) {
        std::unique_lock lock(mutex_);
        return woken_.wait_until(lock, deadline, [this] { return stopped_; });
    }

  private:
    std::mutex mutex_;
    std::condition_variable woken_;
    bool stopped_ = false;
};

int FileStatus(rec::RecordingFile::Opened opened, const std::string& error) {
    if (opened == rec::RecordingFile::Opened::kYes) {
        return kExitOk;
    }
    std::fprintf(stderr, "voltscope-cli: %s\n", error.c_str());
    return opened == rec::RecordingFile::Opened::kNotARecording ? kExitInvalidInput
                                                                : kExitCannotWrite;
}

int Record(const RecordOptions& options) {
    rec::RecordingFile file;
    std::string error;
    if (const int status = FileStatus(file.Open(options.file, &error), error); status != kExitOk) {
        return status;
    }
    StopRequest stop;
    DeferInterruption([&stop](int) { stop.Request(); });
    HeadlessPrompts prompts(false);
    CPPTwo page;
    const std::chrono::seconds every(options.every);
    const Steady::time_point start = Steady::now();
    Steady::time_point next = start;
    unsigned long long rows = 0;
    unsigned long long cyclesWithout = 0;
    int status = kExitOk;
    for (;;) {
        const rec::Row row = rec::RecordCycle(page, prompts, rec::Clock::now);
        if (!file.Append(row, &error)) {
            std::fprintf(stderr, "voltscope-cli: %s\n", error.c_str());
            status = kExitCannotWrite;
            break;
        }
        ++rows;
        cyclesWithout += row.unanswered != 0 ? 1 : 0;
        next += every;
        // A cycle that took longer than --every (a panel that stopped answering) skips the
        // starts it missed rather than running cycles back to back.
        if (const Steady::time_point now = Steady::now(); next < now) {
            next += every * ((now - next) / every + 1);
        }
        if ((options.duration && next >= start + *options.duration) || stop.WaitUntil(next)) {
            break;
        }
    }
    DeferInterruption(nullptr);
    StopIfInterrupted();
    std::fprintf(stderr, "voltscope-cli: %llu %s recorded in %s\n", rows,
                 rows == 1 ? "row" : "rows", options.file.c_str());
    if (status == kExitOk && cyclesWithout != 0) {
        std::fprintf(stderr,
                     "voltscope-cli: the panel did not answer every request in %llu of %llu "
                     "cycles: their values without a reply are empty\n",
                     cyclesWithout, rows);
        status = kExitNoAnswer;
    }
    return status;
}

}  // namespace

void AddRecordingVerbs(CLI::App& app, std::vector<Verb>& verbs) {
    auto options = std::make_shared<RecordOptions>();
    CLI::App* command = app.add_subcommand(
        "metering-record",
        "Read the Metering page's automatic-refresh cycle every SECONDS and add a row to FILE "
        "for each (a new FILE starts with its header; a recording is continued), until "
        "DURATION has passed or Ctrl-C");
    command->add_option("FILE", options->file, "the recording (CSV)")->required();
    NumberIn(command->add_option("--every", options->every,
                                 "seconds from one cycle's start to the next"),
             1, 86400)
        ->required();
    command
        ->add_option_function<std::string>(
            "--for",
            [options](const std::string& text) {
                options->duration = ParseDuration(text);
                if (!options->duration) {
                    throw CLI::ValidationError("--for",
                                               "DURATION is a whole number of seconds, "
                                               "or of minutes, hours or days: 90s, 15m, "
                                               "8h, 2d");
                }
            },
            "how long to record: 90s, 15m, 8h, 2d (a bare number is seconds); without it, "
            "until Ctrl-C")
        ->type_name("DURATION");
    Verb verb{command, [options] { return Record(*options); }};
    verb.check = [options] {
        std::string error;
        return FileStatus(rec::RecordingFile::Check(options->file, &error), error);
    };
    verbs.push_back(std::move(verb));
}

}  // namespace cli
