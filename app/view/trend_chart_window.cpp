#include "app/view/trend_chart_window.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <chrono>

#include "app/view/chart_style.h"

namespace mc = metering_charts;

namespace {

constexpr char kTitle[] = "Vld, Vs and Ild: the last 30 minutes of Auto Refresh";
constexpr char kEmptyTitle[] =
    "Vld, Vs and Ild: no samples yet (tick Auto Refresh on the Metering page)";

qint64 Milliseconds(mc::Clock::time_point time) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count();
}

QLineSeries* AddLine(QChart* chart, const char* name) {
    auto* series = new QLineSeries;
    series->setName(QString::fromLatin1(name));
    // Each refresh a dot, so that a pause of automatic refresh shows as a gap between dots.
    series->setPointsVisible(true);
    series->setMarkerSize(5);
    chart->addSeries(series);
    return series;
}

}  // namespace

TrendChartWindow::TrendChartWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("trendChartWindow"));
    setWindowTitle(QStringLiteral("Trend"));
    chart_ = new QChart;
    vld_ = AddLine(chart_, "Vld (V)");
    vs_ = AddLine(chart_, "Vs (V)");
    ild_ = AddLine(chart_, "Ild (A)");
    time_ = new QDateTimeAxis;
    time_->setFormat(QStringLiteral("HH:mm:ss"));
    time_->setTitleText(QStringLiteral("Time"));
    chart_->addAxis(time_, Qt::AlignBottom);
    volts_ = new QValueAxis;
    volts_->setTitleText(QStringLiteral("Volts"));
    volts_->setLabelFormat(QStringLiteral("%g"));
    chart_->addAxis(volts_, Qt::AlignLeft);
    amperes_ = new QValueAxis;
    amperes_->setTitleText(QStringLiteral("Amperes"));
    amperes_->setLabelFormat(QStringLiteral("%g"));
    chart_->addAxis(amperes_, Qt::AlignRight);
    for (QLineSeries* line : {vld_, vs_, ild_}) {
        line->attachAxis(time_);
        line->attachAxis(line == ild_ ? amperes_ : volts_);
    }

    QChartView* view = StyledChartView(chart_, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view);
    resize(900, 500);
    Draw(mc::MeteringTrend{});
}

void TrendChartWindow::Draw(const mc::MeteringTrend& trend) {
    QList<QPointF> vld;
    QList<QPointF> vs;
    QList<QPointF> ild;
    for (const mc::TrendSample& sample : trend.Samples()) {
        const auto x = static_cast<qreal>(Milliseconds(sample.time));
        vld.append({x, sample.vld});
        vs.append({x, sample.vs});
        ild.append({x, sample.ild});
    }
    vld_->replace(vld);
    vs_->replace(vs);
    ild_->replace(ild);
    const bool empty = trend.Samples().empty();
    chart_->setTitle(QString::fromLatin1(empty ? kEmptyTitle : kTitle));
    const mc::Clock::time_point to = empty ? mc::Clock::now() : trend.To();
    const mc::Clock::time_point from = empty ? to - std::chrono::minutes(1) : trend.From();
    time_->setRange(QDateTime::fromMSecsSinceEpoch(Milliseconds(from)),
                    QDateTime::fromMSecsSinceEpoch(Milliseconds(to)));
    volts_->setRange(trend.Volts().low, trend.Volts().high);
    volts_->applyNiceNumbers();
    amperes_->setRange(trend.Amperes().low, trend.Amperes().high);
    amperes_->applyNiceNumbers();
}
