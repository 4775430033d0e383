#pragma once
// "Download Logs" of the Logs and Quick Key page over the real path, with the PC's clock fixed
// and the panel's logs as each test lays them out.
#include <stdlib.h>
#include <time.h>

#include <optional>
#include <string>
#include <vector>

#include "sim/panel_registers.h"
#include "tests/pages/logs_page_fixture.h"
#include "tests/support/local_time.h"

namespace testing_support {

// The process's time zone for a scope; the one before comes back afterwards.
class ScopedTimeZone {
  public:
    explicit ScopedTimeZone(const char* zone) {
        if (const char* old = ::getenv("TZ")) {
            old_ = old;
        }
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ScopedTimeZone() {
        if (old_) {
            ::setenv("TZ", old_->c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
        ::tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

  private:
    std::optional<std::string> old_;
};

// New York's rules written out, so no time-zone database is needed: daylight saving from the
// second Sunday of March to the first Sunday of November (8 March and 1 November 2026).
inline constexpr char kNewYorkZone[] = "EST5EDT,M3.2.0,M11.1.0";

// A local time of the process's zone as the C library's clock gives it.
inline std::time_t LocalClock(int year, int month, int day, int hour, int minute, int second) {
    std::tm t = LocalTime(year, month, day, hour, minute, second);
    t.tm_isdst = -1;
    return std::mktime(&t);
}

inline std::string WithCrLfEnds(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    return out;
}

class LogDownloadTest : public LogsPageTest {
  protected:
    void SetUp() override {
        LogsPageTest::SetUp();
        // Saturday 14 March 2026, 11:00:05 on the PC.
        page_.SetClock([] { return LocalClock(2026, 3, 14, 11, 0, 5); });
    }

    // The panel's logs replaced by these records.
    void SetLogs(const std::vector<sim::EventRecord>& events,
                 const std::vector<sim::IntervalRecord>& intervals) {
        panel_->withRegisters([&](sim::PanelRegisters& r) {
            r.Clear(sim::kLogBank, sim::kEventCountRegister);
            r.Clear(sim::kLogBank, sim::kIntervalClearRegister);
            for (const auto& e : events) {
                r.AddEventRecord(e);
            }
            for (const auto& i : intervals) {
                r.AddIntervalRecord(i);
            }
        });
    }

    // "Refresh", the quantities typed into "Dld Qty:", "Auto Adjust log time:" chosen, then
    // "Download Logs" answered with `file`. Only the download's requests and calls are kept.
    void Download(const std::string& events, const std::string& intervals, bool adjust,
                  std::optional<std::string> file = std::string("logs.csv")) {
        page_.RefreshCounts(prompts_);
        page_.Form()[ids::logs::kEventsToDownload].text = events;
        page_.Form()[ids::logs::kIntervalsToDownload].text = intervals;
        prompts_.answers = {PromptAnswer::kYes};
        Choose(ids::logs::kAutoAdjustLogTime, adjust ? "YES" : "NO");
        prompts_.answers.clear();
        ForgetRequests();
        prompts_.fileNames = {file};
        page_.OnCommand(ids::logs::kDownloadLogs, prompts_);
    }

    std::string FilePath() const { return cwd_.dir() + "/logs.csv"; }
    std::string File() const { return ReadFile(FilePath()); }
};

}  // namespace testing_support
