#include "pages/data/metering_charts.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "pages/data/metering_fields.h"
#include "protocol/value_store.h"

namespace metering_charts {

namespace {

using namespace metering;

constexpr char kTitleStart[] = "Harmonics 1-31";

struct Spectrum {
    const char* name;
    const HarmonicsArray& array;
};
// In the order of the harmonics file's columns.
const Spectrum kSpectra[] = {
    {"Vload", kLoadVoltsHarmonics},
    {"VSource", kSourceVoltsHarmonics},
    {"Iload", kLoadCurrentHarmonics},
};

constexpr int kThdWord = 0;
constexpr int kFirstHarmonicWord = 3;  // after THD, harmonic RMS and DC RMS

double Tenths(const HarmonicsArray& array, int k) {
    return HarmonicsWord(array, k) * 0.1;
}

std::string ThdText(const HarmonicsSeries& series) {
    char text[64];
    std::snprintf(text, sizeof text, "%s %.1f %%", series.name.c_str(), series.thd);
    return text;
}

ValueRange Padded(double low, double high, double least) {
    const double pad = std::max((high - low) * 0.1, least);
    return {low - pad, high + pad};
}

}  // namespace

HarmonicsChart HarmonicsNotRead() {
    HarmonicsChart chart;
    chart.title = std::string(kTitleStart) + ": not read yet";
    return chart;
}

HarmonicsChart HarmonicsFromStore(bool complete) {
    HarmonicsChart chart;
    chart.read = true;
    chart.title = std::string(kTitleStart) + " (THD:";
    for (const Spectrum& spectrum : kSpectra) {
        HarmonicsSeries series;
        series.name = spectrum.name;
        series.thd = Tenths(spectrum.array, kThdWord);
        for (int n = 1; n <= kHarmonicsShown; ++n) {
            const double value = Tenths(spectrum.array, kFirstHarmonicWord + n - 1);
            series.rms[static_cast<std::size_t>(n - 1)] = value;
            chart.largest = std::max(chart.largest, value);
        }
        chart.title += (chart.series.empty() ? " " : ", ") + ThdText(series);
        chart.series.push_back(std::move(series));
    }
    chart.title += ")";
    if (!complete) {
        chart.title += ": some values were not read and show 0";
    }
    return chart;
}

bool MeteringTrend::OnCycle(const TrendSample& sample, bool autoRefreshOn) {
    if (!autoRefreshOn) {
        return false;
    }
    // The computer's clock was set back: what was drawn no longer lines up with the new times.
    if (!samples_.empty() && sample.time < samples_.back().time) {
        samples_.clear();
    }
    samples_.push_back(sample);
    while (samples_.front().time < sample.time - kSpan) {
        samples_.pop_front();
    }
    return true;
}

void MeteringTrend::Load(std::deque<TrendSample> rows) {
    samples_ = std::move(rows);
}

Clock::time_point MeteringTrend::To() const {
    return samples_.empty() ? Clock::time_point{} : samples_.back().time;
}

Clock::time_point MeteringTrend::From() const {
    if (samples_.empty()) {
        return Clock::time_point{};
    }
    return std::min(samples_.front().time, To() - std::chrono::minutes(1));
}

namespace {

// The range of the columns' values over `samples`, padded; {0, 1} when there is none.
ValueRange RangeOf(const std::deque<TrendSample>& samples,
                   std::initializer_list<metering_recording::Column> columns) {
    std::optional<double> low;
    std::optional<double> high;
    for (const TrendSample& s : samples) {
        for (const metering_recording::Column column : columns) {
            if (const std::optional<double> value = s.Number(column)) {
                low = std::min(low.value_or(*value), *value);
                high = std::max(high.value_or(*value), *value);
            }
        }
    }
    return low ? Padded(*low, *high, 1.0) : ValueRange{0, 1};
}

}  // namespace

ValueRange MeteringTrend::Volts() const {
    return RangeOf(samples_, {metering_recording::kVld, metering_recording::kVs});
}

ValueRange MeteringTrend::Amperes() const {
    return RangeOf(samples_, {metering_recording::kIld});
}

MeteringChartFeed::MeteringChartFeed(CPPTwo& page, std::function<Clock::time_point()> clock)
    : page_(page), clock_(std::move(clock)) {
    page_.SetReadingObserver(
        [this](MeteringReading what, bool complete) { OnReading(what, complete); });
}

MeteringChartFeed::~MeteringChartFeed() {
    page_.SetReadingObserver(nullptr);
}

void MeteringChartFeed::OnReading(MeteringReading what, bool complete) {
    if (what == MeteringReading::kHarmonics) {
        harmonics_ = HarmonicsFromStore(complete);
    } else if (what != MeteringReading::kCycle ||
               !trend_.OnCycle(
                   metering_recording::RowFromStore(clock_(), page_.LastCycleUnanswered()),
                   AutoRefresh().on)) {
        return;
    }
    if (listener_) {
        listener_(what);
    }
}

}  // namespace metering_charts
