// The Metering page's chart windows offscreen: the form's buttons open them, the Harmonics
// window's Read runs the page's harmonics read and draws its bars, the Trend window draws the
// ticks of automatic refresh, and both close with the page's window.
#include <gtest/gtest.h>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCheckBox>
#include <QLineSeries>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "app/view/form_binder.h"
#include "app/view/harmonics_chart_window.h"
#include "app/view/page_view.h"
#include "app/view/trend_chart_window.h"
#include "pages/data/metering_page.h"
#include "pages/kit/app_flags.h"
#include "resources/ids/metering_counters.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "tests/gui/page_view_fixture.h"
#include "tests/support/fake_user_prompts.h"
#include "tests/support/process_state.h"
#include "tests/support/pty_pair.h"

namespace {

using namespace testing_support;

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
    EXPECT_EQ(harmonics->Chart()->title(), QStringLiteral("Harmonics 1-31: not read yet"));
    QTest::mouseClick(harmonics->ReadButton(), Qt::LeftButton);
    EXPECT_TRUE(harmonics->Chart()->title().contains(QStringLiteral("Vload 4.2 %")));
    auto* bars = qobject_cast<QBarSeries*>(harmonics->Chart()->series().first());
    ASSERT_EQ(bars->count(), 3);
    EXPECT_EQ(bars->barSets()[0]->count(), 31);
    EXPECT_DOUBLE_EQ(bars->barSets()[0]->at(0), 120.5);

    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("trendChart")), Qt::LeftButton);
    QPointer trend = view->findChild<TrendChartWindow*>();
    ASSERT_TRUE(trend && trend->isVisible());
    panel.setRegister(1, 2, 1199);  // Vld
    QTest::mouseClick(qobject_cast<QCheckBox*>(view->Binder().Widget(ids::metering::kAutoRefresh)),
                      Qt::LeftButton);
    page.OnTimer(CPPTwo::kAutoRefreshTimer, prompts);
    ASSERT_EQ(trend->Vld()->count(), 1);
    EXPECT_DOUBLE_EQ(trend->Vld()->at(0).y(), 119.9);
    EXPECT_EQ(trend->Ild()->count(), 1);
    EXPECT_TRUE(prompts.Boxes().empty());

    view.reset();
    EXPECT_TRUE(harmonics.isNull());
    EXPECT_TRUE(trend.isNull());
    EXPECT_TRUE(page.ReadHarmonics(prompts));  // told nobody: the charts let go of the page
    CloseCommPort();
    ResetFlags();
    ResetAutoRefresh();
}

}  // namespace
