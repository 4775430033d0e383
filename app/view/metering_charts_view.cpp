#include "app/view/metering_charts_view.h"

#include <QPushButton>
#include <QWidget>

#include "app/view/harmonics_chart_window.h"
#include "app/view/trend_chart_window.h"

namespace {

void BringForward(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

MeteringChartsView::MeteringChartsView(CPPTwo& page, UserPrompts& prompts, Runner run,
                                       QWidget* pageWidget)
    : QObject(pageWidget),
      page_(page),
      prompts_(prompts),
      run_(std::move(run)),
      pageWidget_(pageWidget),
      feed_(std::make_unique<metering_charts::MeteringChartFeed>(page)) {
    feed_->SetChangeListener([this](MeteringReading what) {
        if (what == MeteringReading::kHarmonics && harmonics_ != nullptr) {
            harmonics_->Draw(feed_->Harmonics());
        } else if (what == MeteringReading::kCycle && trend_ != nullptr) {
            trend_->Draw(feed_->Trend());
        }
    });
    if (auto* button = pageWidget->findChild<QPushButton*>(QStringLiteral("harmonicsChart"))) {
        connect(button, &QPushButton::clicked, this, [this] { OpenHarmonics(); });
    }
    if (auto* button = pageWidget->findChild<QPushButton*>(QStringLiteral("trendChart"))) {
        connect(button, &QPushButton::clicked, this, [this] { OpenTrend(); });
    }
}

MeteringChartsView::~MeteringChartsView() = default;

HarmonicsChartWindow* MeteringChartsView::OpenHarmonics() {
    if (harmonics_ == nullptr) {
        harmonics_ = new HarmonicsChartWindow(
            [this] { run_([this] { page_.ReadHarmonics(prompts_); }); }, pageWidget_);
        harmonics_->Draw(feed_->Harmonics());
    }
    BringForward(harmonics_);
    return harmonics_;
}

TrendChartWindow* MeteringChartsView::OpenTrend() {
    if (trend_ == nullptr) {
        trend_ = new TrendChartWindow(prompts_, pageWidget_);
        trend_->Draw(feed_->Trend());
    }
    BringForward(trend_);
    return trend_;
}
