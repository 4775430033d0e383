#pragma once
// What the Trend window shows and does, without the drawing: the live trend of automatic
// refresh, or a recording opened from a file ("Open…"), until "Live" goes back; "Save…" writes
// the rows shown as a recording.
#include <optional>
#include <string>

#include "pages/data/metering_charts.h"

namespace metering_charts {

class TrendWindowState {
  public:
    // The live trend changed; shown unless a recording is.
    void SetLive(const MeteringTrend& live) { live_ = live; }
    // "Open…": true when a recording was opened and is now shown.
    bool Open(UserPrompts& prompts);
    // "Live": the live trend again.
    void ShowLive() { opened_.reset(); }
    // "Save…": the rows shown.
    ExportOutcome Save(UserPrompts& prompts) const;

    const MeteringTrend& Shown() const { return opened_ ? *opened_ : live_; }
    bool ShowingRecording() const { return opened_.has_value(); }
    bool CanSave() const { return !Shown().Samples().empty(); }
    std::string Title() const;

  private:
    MeteringTrend live_;
    std::optional<MeteringTrend> opened_;
    std::string openedName_;
};

}  // namespace metering_charts
