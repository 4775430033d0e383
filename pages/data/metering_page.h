#pragma once
// "Metering and Counters" (template 104): the panel's metering with its minima and maxima, the
// forward and reverse demand, the operation counters and the tap position, read only when the
// user asks on the page (a Refresh button, automatic refresh or an export); resetting the
// panel's min/max records; overwriting the total-operations counter; and the min/max and
// harmonics CSV files.
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "pages/kit/page.h"
#include "pages/kit/text_file.h"

// Automatic refresh, kept for the whole run of the program whatever happens to the page's
// window: the flag stays on while the page is hidden, so that it resumes when shown again.
struct AutoRefreshSettings {
    bool on = false;
    int intervalMs = 2000;
};
AutoRefreshSettings& AutoRefresh();
// Back to the start-up state (for tests; the tool never resets it).
void ResetAutoRefresh();

// A read of the page that views may draw: the meter table (by Refresh or automatic refresh), the
// harmonics table, or a whole cycle of automatic refresh (meter, demand, counters; its
// requests without a reply in LastCycleUnanswered()). `complete`: every request of that read
// got its reply.
enum class MeteringReading { kMeter, kHarmonics, kCycle };
using MeteringReadingObserver = std::function<void(MeteringReading what, bool complete)>;

class CPPTwo : public Page {
  public:
    // The page's one window timer.
    static constexpr int kAutoRefreshTimer = 1;

    CPPTwo();

    std::vector<FieldGroup> FieldGroups() const override;
    void ResetWindow() override;
    void OnCommand(int controlId, UserPrompts& prompts) override;
    void OnSelectionChanged(int controlId, UserPrompts& prompts) override;
    void OnShowWindow(bool shown, UserPrompts& prompts) override;
    void OnTimer(int timerId, UserPrompts& prompts) override;

    void RefreshMeter(UserPrompts& prompts);
    void RefreshDemand(UserPrompts& prompts);
    void RefreshCounters(UserPrompts& prompts);
    // One cycle of automatic refresh: the meter, the demand and the counters, as the three
    // Refresh buttons read them. Returns how many of its requests got no complete reply.
    int RefreshCycle(UserPrompts& prompts);
    int LastCycleUnanswered() const { return lastCycleUnanswered_; }
    void SetTotalOps(UserPrompts& prompts);
    void ResetMinMaxValues(UserPrompts& prompts);
    // The "Auto Refresh" check box was clicked (the form holds its new state).
    void AutoRefreshClicked(UserPrompts& prompts);
    ExportOutcome ExportMetering(UserPrompts& prompts);
    ExportOutcome ExportHarmonics(UserPrompts& prompts);
    // The harmonics export's read on its own, for the harmonics chart: false when not
    // connected (after the box), nothing read.
    bool ReadHarmonics(UserPrompts& prompts);
    // The two download buttons.
    void DownloadMetering(UserPrompts& prompts) { ExportMetering(prompts); }
    void DownloadHarmonics(UserPrompts& prompts) { ExportHarmonics(prompts); }

    // Where the proposed file names take the local time; the system clock by default.
    void SetClock(std::function<std::tm()> clock) { clock_ = std::move(clock); }
    // Told after each meter and harmonics read; one observer, empty for none.
    void SetReadingObserver(MeteringReadingObserver observer) { observer_ = std::move(observer); }

  private:
    // Starts or ends automatic refresh as the check box says.
    void AutoRefreshStep(UserPrompts& prompts);
    void ShowAutoRefreshRunning(bool running);
    bool BoxTicked() const;
    void TickBox(bool ticked);
    void StartTimer();
    void StopTimer();
    std::string ProposedName(const char* ending) const;

    std::function<std::tm()> clock_;
    MeteringReadingObserver observer_;
    int lastCycleUnanswered_ = 0;
    // The window was hidden (and its timer stopped) since it was last shown.
    bool hidden_ = false;
};

// Box texts and file dialogs of the page.
namespace metering_text {
inline constexpr char kSetTotalOpsQuestion[] = "Write Total Ops?";
inline constexpr char kMeteringFileTitle[] = "Save Metering Data File";
inline constexpr char kHarmonicsFileTitle[] = "Save Harmonics Data File";
inline constexpr char kMeteringEnding[] = "_MTR.csv";
inline constexpr char kHarmonicsEnding[] = "_HAR.csv";
inline constexpr char kCsvExtension[] = "csv";
inline constexpr char kCsvFilter[] = "CSV FILE (*.csv)|*.csv||";
}  // namespace metering_text
