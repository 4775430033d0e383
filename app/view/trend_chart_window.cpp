#include "app/view/trend_chart_window.h"

#include <QVBoxLayout>

#include "app/view/trend_lines.h"

TrendChartWindow::TrendChartWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("trendChartWindow"));
    setWindowTitle(QStringLiteral("Trend"));
    lines_ = new TrendLines(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lines_);
    resize(900, 500);
}

void TrendChartWindow::Draw(const metering_charts::MeteringTrend& trend) {
    lines_->Show(trend);
}
