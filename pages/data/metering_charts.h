#pragma once
// What the Metering page's two chart windows draw, made from what the page's own reads left in
// the value store: the three harmonic spectra as grouped bars, and the load voltage, source
// voltage and load current against time over the last 30 minutes of automatic refresh. No
// toolkit here; the views only draw these numbers.
#include <array>
#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "pages/data/metering_page.h"
#include "pages/data/metering_recording.h"

namespace metering_charts {

inline constexpr int kHarmonicsShown = 31;  // harmonics 1..31

struct HarmonicsSeries {
    std::string name;  // as the harmonics file's column
    double thd = 0;
    std::array<double, kHarmonicsShown> rms{};  // harmonic n at [n - 1]
};

struct HarmonicsChart {
    bool read = false;  // false until the page's first harmonics read
    std::string title;
    std::vector<HarmonicsSeries> series;  // Vload, VSource, Iload
    double largest = 0;                   // the tallest bar
};

// Before any harmonics read: no bars, and a title that says how to get some.
HarmonicsChart HarmonicsNotRead();
// The spectra the page's harmonics read just left in the value store; `complete` tells whether
// every request of that read got its reply (the title warns otherwise: unread values are 0).
HarmonicsChart HarmonicsFromStore(bool complete);

using Clock = metering_recording::Clock;

// A sample of the trend is a row of a metering recording: Vld, Vs and Ild (amperes, negative in
// reverse power flow) among the rest, a value whose read got no reply left empty.
using TrendSample = metering_recording::Row;

struct ValueRange {
    double low = 0;
    double high = 0;
};

// The trend of automatic refresh: one sample per cycle of automatic refresh, kept for 30
// minutes back from the newest; or a whole recording opened from a file.
class MeteringTrend {
  public:
    static constexpr std::chrono::minutes kSpan{30};

    // A cycle of the page's automatic refresh, its row made at `sample.time`. Kept only while
    // automatic refresh runs; a value whose read went without a reply is empty in the row and
    // leaves a gap in its line, never a collapse to 0. Returns whether it was kept.
    bool OnCycle(const TrendSample& sample, bool autoRefreshOn);
    // Every row of a recording, however long it spans.
    void Load(std::deque<TrendSample> rows);

    const std::deque<TrendSample>& Samples() const { return samples_; }
    // The time axis: the samples' span, at least a minute wide, at most kSpan.
    Clock::time_point From() const;
    Clock::time_point To() const;
    // The value axes, with a little room above and below the samples.
    ValueRange Volts() const;
    ValueRange Amperes() const;

  private:
    std::deque<TrendSample> samples_;
};

// The page's reads turned into both charts' data, for as long as the feed lives (it is the
// page's one reading observer meanwhile). The samples take their times from `clock`.
class MeteringChartFeed {
  public:
    explicit MeteringChartFeed(CPPTwo& page, std::function<Clock::time_point()> clock = Clock::now);
    ~MeteringChartFeed();
    MeteringChartFeed(const MeteringChartFeed&) = delete;
    MeteringChartFeed& operator=(const MeteringChartFeed&) = delete;

    const HarmonicsChart& Harmonics() const { return harmonics_; }
    const MeteringTrend& Trend() const { return trend_; }
    // Told after a chart's data changed.
    void SetChangeListener(std::function<void(MeteringReading)> listener) {
        listener_ = std::move(listener);
    }

  private:
    void OnReading(MeteringReading what, bool complete);

    CPPTwo& page_;
    std::function<Clock::time_point()> clock_;
    HarmonicsChart harmonics_ = HarmonicsNotRead();
    MeteringTrend trend_;
    std::function<void(MeteringReading)> listener_;
};

}  // namespace metering_charts
