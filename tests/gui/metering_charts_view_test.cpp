// The Metering page's chart windows offscreen: the form's buttons open them, the Harmonics
// window's Read runs the page's harmonics read and draws its bars, the Trend window draws the
// cycles of automatic refresh and saves and opens recordings, and both close with the page's
// window. And the charts' axes.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QImage>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "app/view/chart_painting.h"
#include "app/view/form_binder.h"
#include "app/view/harmonics_bars.h"
#include "app/view/harmonics_chart_window.h"
#include "app/view/page_view.h"
#include "app/view/trend_chart_window.h"
#include "app/view/trend_lines.h"
#include "pages/data/metering_page.h"
#include "pages/kit/app_flags.h"
#include "resources/ids/metering_counters.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "tests/gui/page_view_fixture.h"
#include "tests/support/fake_user_prompts.h"
#include "tests/support/private_working_dir.h"
#include "tests/support/process_state.h"
#include "tests/support/pty_pair.h"

namespace {

using namespace testing_support;

// How many pixels of a series' colour the widget shows: what it drew of that series.
int PixelsOf(QWidget* chart, int series) {
    const QImage image = chart->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb colour = chart_painting::SeriesColour(series).rgb();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            count += line[x] == colour ? 1 : 0;
        }
    }
    return count;
}

TEST(MeteringChartsViewTest, TheFormsButtonsOpenChartsOfThePagesReads) {
    ResetProcessState();
    ResetAutoRefresh();
    PrivatePortsFolder ports;
    sim::PtyPanel panel;
    ASSERT_TRUE(LinkPanel(panel, 7));
    panel.setRegister(11, 80, 42);    // Vload THD
    panel.setRegister(11, 87, 1205);  // Vload harmonic 1

    FakeUserPrompts prompts;
    CPPTwo page;
    auto view = std::make_unique<PageView>(page, prompts);
    view->show();
    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("harmonicsChart")),
                      Qt::LeftButton);
    QPointer harmonics = view->findChild<HarmonicsChartWindow*>();
    ASSERT_TRUE(harmonics && harmonics->isVisible());
    const HarmonicsBars* bars = harmonics->Bars();
    EXPECT_EQ(bars->Shown().title, "Harmonics 1-31: not read yet");
    EXPECT_EQ(PixelsOf(harmonics->Bars(), 0), 0);
    QTest::mouseClick(harmonics->ReadButton(), Qt::LeftButton);
    EXPECT_NE(bars->Shown().title.find("Vload 4.2 %"), std::string::npos);
    ASSERT_EQ(bars->Shown().series.size(), 3u);
    EXPECT_DOUBLE_EQ(bars->Shown().series[0].rms[0], 120.5);
    // The legend's square and the bars: far more than the square alone.
    EXPECT_GT(PixelsOf(harmonics->Bars(), 0), 1000);

    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("trendChart")), Qt::LeftButton);
    QPointer trend = view->findChild<TrendChartWindow*>();
    ASSERT_TRUE(trend && trend->isVisible());
    panel.setRegister(1, 2, 1199);  // Vld
    QTest::mouseClick(qobject_cast<QCheckBox*>(view->Binder().Widget(ids::metering::kAutoRefresh)),
                      Qt::LeftButton);
    const int legendOnly = PixelsOf(trend->Lines(), 0);
    page.OnTimer(CPPTwo::kAutoRefreshTimer, prompts);
    const auto& samples = trend->Lines()->Shown().Samples();
    ASSERT_EQ(samples.size(), 1u);
    EXPECT_EQ(samples[0].values[metering_recording::kVld], "119.9");
    EXPECT_TRUE(trend->Lines()->Title().contains(QStringLiteral("the last 30 minutes")));
    EXPECT_GT(PixelsOf(trend->Lines(), 0), legendOnly);  // the sample's dot
    EXPECT_TRUE(prompts.Boxes().empty());

    // Save… writes the rows shown as a recording; Open… draws one until Live; a file that is
    // no recording is said so and changes nothing.
    PrivateWorkingDir cwd;
    const std::string header = std::string(metering_recording::kHeader) + "\r\n";
    prompts.fileNames = {cwd.dir() + "/saved.csv"};
    QTest::mouseClick(trend->SaveButton(), Qt::LeftButton);
    EXPECT_EQ(prompts.OfKind("save").back()->file.title, "Save Metering Recording");
    EXPECT_EQ(prompts.Captions(), std::vector<std::string>{"File Created"});
    const std::string saved = ReadFile(cwd.dir() + "/saved.csv");
    EXPECT_EQ(saved.rfind(header, 0), 0u) << saved;
    EXPECT_NE(saved.find(",119.9,"), std::string::npos) << saved;
    EXPECT_EQ(saved.substr(saved.size() - 4), ",0\r\n");

    WriteFile("shift.csv", header + "2026-12-01T08:00:00+00:00,120.1,118.7,,-10,97,,,60.0,3,0\r\n" +
                               "2026-12-01T08:00:02+00:00,,118.6,,-11,97,,,60.0,3,1\r\n");
    WriteFile("other.csv", "MIN MAX Metering Info with Time Stamps,\r\n");
    const struct {
        const char* file;
        std::size_t rows;
        QString title;
        std::string caption;
    } opens[] = {
        {"shift.csv", 2, QStringLiteral("Vld, Vs and Ild: shift.csv (2 rows)"), "File Created"},
        {"other.csv", 2, QStringLiteral("Vld, Vs and Ild: shift.csv (2 rows)"), "FILE NOT OPENED"},
    };
    for (const auto& open : opens) {
        prompts.fileNames = {cwd.dir() + "/" + open.file};
        QTest::mouseClick(trend->OpenButton(), Qt::LeftButton);
        EXPECT_EQ(trend->Lines()->Shown().Samples().size(), open.rows) << open.file;
        EXPECT_EQ(trend->Lines()->Title(), open.title) << open.file;
        EXPECT_EQ(prompts.Captions().back(), open.caption);
    }
    EXPECT_FALSE(trend->Lines()->Shown().Samples()[1].Number(metering_recording::kVld));
    page.OnTimer(CPPTwo::kAutoRefreshTimer, prompts);  // the recording stays drawn
    EXPECT_EQ(trend->Lines()->Title(), opens[0].title);
    ASSERT_TRUE(trend->LiveButton()->isEnabled());
    QTest::mouseClick(trend->LiveButton(), Qt::LeftButton);
    EXPECT_EQ(trend->Lines()->Shown().Samples().size(), 2u);  // both cycles of the live trend
    EXPECT_TRUE(trend->Lines()->Title().contains(QStringLiteral("the last 30 minutes")));
    EXPECT_FALSE(trend->LiveButton()->isEnabled());

    view.reset();
    EXPECT_TRUE(harmonics.isNull());
    EXPECT_TRUE(trend.isNull());
    EXPECT_TRUE(page.ReadHarmonics(prompts));  // told nobody: the charts let go of the page
    CloseCommPort();
    ResetFlags();
    ResetAutoRefresh();
}

TEST(ChartPaintingTest, AxesEndOnRoundTicks) {
    using chart_painting::Axis;
    struct Case {
        double low, high;
        bool time;
        Axis expected;
        int decimals;
    };
    const Case cases[] = {
        {0, 1, false, {0, 1, 0.2, 0}, 1},
        {0, 132.55, false, {0, 150, 25, 0}, 0},
        {117.3, 126.9, false, {116, 128, 2, 116}, 0},
        {-3.5, 12.1, false, {-5, 15, 5, -5}, 0},
        {5, 5, false, {5, 6, 0.2, 5}, 1},               // no span: one unit up
        {1003, 1063, true, {1003, 1063, 10, 1010}, 0},  // a minute: every 10 s
        {0, 1800, true, {0, 1800, 300, 0}, 0},          // half an hour: every 5 min
    };
    for (const Case& c : cases) {
        const Axis axis = c.time ? chart_painting::TimeAxis(c.low, c.high, 6)
                                 : chart_painting::ValueAxis(c.low, c.high, 6);
        SCOPED_TRACE(testing::Message() << c.low << ".." << c.high);
        EXPECT_DOUBLE_EQ(axis.low, c.expected.low);
        EXPECT_DOUBLE_EQ(axis.high, c.expected.high);
        EXPECT_DOUBLE_EQ(axis.step, c.expected.step);
        EXPECT_DOUBLE_EQ(axis.first, c.expected.first);
        EXPECT_EQ(axis.Decimals(), c.decimals);
        EXPECT_LE(axis.Ticks().size(), 7u);
        EXPECT_LE(axis.Ticks().back(), axis.high + 1e-6);
    }
}

}  // namespace
