// The data of the Metering page's charts: which meter reads the trend keeps and for how long,
// and the harmonics bars and title the page's harmonics read leaves, over the simulated panel.
#include "pages/data/metering_charts.h"
#include "tests/pages/metering_page_fixture.h"

namespace {

using namespace testing_support;
using namespace metering_charts;
using std::chrono::minutes;
using std::chrono::seconds;

TrendSample At(Clock::duration since, const std::string& vld = "120.0",
               const std::string& vs = "120.0", const std::string& ild = "300") {
    TrendSample sample;
    sample.time = Clock::time_point{} + since;
    sample.values[metering_recording::kVld] = vld;
    sample.values[metering_recording::kVs] = vs;
    sample.values[metering_recording::kIld] = ild;
    return sample;
}

TEST(MeteringTrendTest, KeepsOnlyCyclesOfAutomaticRefresh) {
    for (const bool autoRefreshOn : {true, false}) {
        MeteringTrend trend;
        EXPECT_EQ(trend.OnCycle(At(seconds(1)), autoRefreshOn), autoRefreshOn);
        EXPECT_EQ(trend.Samples().size(), autoRefreshOn ? 1u : 0u);
    }
}

TEST(MeteringTrendTest, KeepsThirtyMinutesBackFromTheNewestSample) {
    struct Step {
        Clock::duration time;
        std::size_t kept;
        Clock::duration oldest;
    };
    const Step steps[] = {
        {minutes(0), 1, minutes(0)},   {minutes(20), 2, minutes(0)},
        {minutes(30), 3, minutes(0)},  // exactly 30 minutes back still counts
        {minutes(31), 3, minutes(20)}, {minutes(70), 1, minutes(70)},
        {minutes(65), 1, minutes(65)},  // the clock was set back: a fresh start
    };
    MeteringTrend trend;
    for (const Step& step : steps) {
        trend.OnCycle(At(step.time), true);
        EXPECT_EQ(trend.Samples().size(), step.kept);
        EXPECT_EQ(trend.Samples().front().time.time_since_epoch(), step.oldest);
    }
}

TEST(MeteringTrendTest, AxesSpanTheSamplesWithRoom) {
    MeteringTrend trend;
    trend.OnCycle(At(minutes(5)), true);
    EXPECT_EQ(trend.To() - trend.From(), minutes(1));  // one sample: a minute wide
    trend.OnCycle(At(minutes(9), "130.0", "110.0", "-20"), true);
    trend.OnCycle(At(minutes(9), "", "", ""), true);  // a cycle without replies widens nothing
    EXPECT_EQ(trend.From().time_since_epoch(), minutes(5));
    EXPECT_EQ(trend.To().time_since_epoch(), minutes(9));
    EXPECT_DOUBLE_EQ(trend.Volts().low, 108.0);  // 110..130, 10 % of the span around
    EXPECT_DOUBLE_EQ(trend.Volts().high, 132.0);
    EXPECT_LT(trend.Amperes().low, -20);
    EXPECT_GT(trend.Amperes().high, 300);
}

// The page's reads feed the charts: the trend takes the cycles of automatic refresh (not a
// Refresh click), a value whose reply went missing left empty; the bars each harmonics read.
TEST_F(MeteringPageTest, ThePagesReadsFeedTheCharts) {
    auto& panel = Connect();
    Clock::time_point now = Clock::time_point{} + minutes(100);
    MeteringChartFeed feed(page_, [&now] { return now; });
    std::vector<MeteringReading> told;
    feed.SetChangeListener([&told](MeteringReading what) { told.push_back(what); });
    EXPECT_FALSE(feed.Harmonics().read);
    EXPECT_EQ(feed.Harmonics().title, "Harmonics 1-31: not read yet");

    panel.setRegister(1, 2, 1205);   // Vld
    panel.setRegister(1, 4, 1187);   // Vs
    panel.setRegister(1, 1, 65526);  // Ild -10
    page_.RefreshMeter(prompts_);
    EXPECT_TRUE(feed.Trend().Samples().empty());
    ClickAutoRefresh(true);
    ASSERT_TRUE(Fire());
    ASSERT_EQ(feed.Trend().Samples().size(), 1u);
    const TrendSample& sample = feed.Trend().Samples().back();
    EXPECT_EQ(sample.time, now);
    EXPECT_EQ(sample.values[metering_recording::kVld], "120.5");
    EXPECT_EQ(sample.values[metering_recording::kVs], "118.7");
    EXPECT_EQ(sample.Number(metering_recording::kIld), -10);
    EXPECT_EQ(sample.unanswered, 0);
    panel.injectFault(sim::Fault::Silence(), 1,
                      [](const sim::Request& r) { return r.bank == 1 && r.start == 2; });
    now += seconds(2);
    ASSERT_TRUE(Fire());
    ASSERT_EQ(feed.Trend().Samples().size(), 2u);
    EXPECT_EQ(feed.Trend().Samples().back().values[metering_recording::kVld], "");
    EXPECT_EQ(feed.Trend().Samples().back().values[metering_recording::kVs], "118.7");
    EXPECT_EQ(feed.Trend().Samples().back().unanswered, 1);
    ClickAutoRefresh(false);

    panel.setRegister(11, 80, 21);    // Vload THD
    panel.setRegister(11, 84, 19);    // VSource THD
    panel.setRegister(11, 82, 35);    // Iload THD
    panel.setRegister(11, 87, 1205);  // Vload harmonic 1
    panel.setRegister(11, 192, 7);    // VSource harmonic 31
    panel.setRegister(11, 123, 44);   // Iload harmonic 2
    ASSERT_TRUE(page_.ReadHarmonics(prompts_));
    const HarmonicsChart& bars = feed.Harmonics();
    EXPECT_TRUE(bars.read);
    EXPECT_EQ(bars.title, "Harmonics 1-31 (THD: Vload 2.1 %, VSource 1.9 %, Iload 3.5 %)");
    ASSERT_EQ(bars.series.size(), 3u);
    EXPECT_DOUBLE_EQ(bars.series[0].rms[0], 120.5);
    EXPECT_DOUBLE_EQ(bars.series[1].rms[30], 0.7);
    EXPECT_DOUBLE_EQ(bars.series[2].rms[1], 4.4);
    EXPECT_DOUBLE_EQ(bars.largest, 120.5);

    panel.injectFault(sim::Fault::Silence(), 1,
                      [](const sim::Request& r) { return r.bank == 11 && r.start == 161; });
    page_.ReadHarmonics(prompts_);
    EXPECT_EQ(feed.Harmonics().title,
              "Harmonics 1-31 (THD: Vload 2.1 %, VSource 1.9 %, Iload 3.5 %): some values were "
              "not read and show 0");
    EXPECT_EQ(told, (std::vector<MeteringReading>{MeteringReading::kCycle, MeteringReading::kCycle,
                                                  MeteringReading::kHarmonics,
                                                  MeteringReading::kHarmonics}));
}

}  // namespace
