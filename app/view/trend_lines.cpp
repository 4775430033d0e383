#include "app/view/trend_lines.h"

#include <QDateTime>
#include <QPainter>
#include <QPainterPath>
#include <chrono>
#include <optional>

#include "app/view/chart_painting.h"

namespace mc = metering_charts;
namespace cp = chart_painting;

namespace {

double Seconds(mc::Clock::time_point time) {
    return std::chrono::duration<double>(time.time_since_epoch()).count();
}

QString TimeOfDay(double seconds) {
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(seconds * 1000))
        .toString(QStringLiteral("HH:mm:ss"));
}

}  // namespace

TrendLines::TrendLines(QWidget* parent) : QWidget(parent), emptyUntil_(mc::Clock::now()) {
    setObjectName(QStringLiteral("trendLines"));
    setMinimumSize(480, 270);
}

void TrendLines::Show(const mc::MeteringTrend& trend, const QString& title) {
    trend_ = trend;
    title_ = title;
    emptyUntil_ = mc::Clock::now();
    update();
}

void TrendLines::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QRectF plot = cp::DrawFrame(
        painter, rect(), title_,
        {QStringLiteral("Vld (V)"), QStringLiteral("Vs (V)"), QStringLiteral("Ild (A)")});
    const bool empty = trend_.Samples().empty();
    const double to = Seconds(empty ? emptyUntil_ : trend_.To());
    const double from = empty ? to - 60 : Seconds(trend_.From());
    const cp::Axis volts = cp::ValueAxis(trend_.Volts().low, trend_.Volts().high, 6);
    const cp::Axis amperes = cp::ValueAxis(trend_.Amperes().low, trend_.Amperes().high, 6);
    plot.adjust(cp::ValueAxisWidth(painter, volts), 0, -cp::ValueAxisWidth(painter, amperes),
                -cp::BottomAxisHeight(painter));
    cp::DrawValueAxis(painter, plot, volts, cp::Side::kLeft, QStringLiteral("Volts"));
    cp::DrawValueAxis(painter, plot, amperes, cp::Side::kRight, QStringLiteral("Amperes"));
    const cp::Axis time = cp::TimeAxis(from, to, 6);
    for (double tick : time.Ticks()) {
        cp::DrawBottomLabel(painter, plot, time.Place(tick, plot.left(), plot.right()),
                            TimeOfDay(tick));
    }
    cp::DrawBottomTitle(painter, plot, QStringLiteral("Time"));

    painter.setClipRect(plot.adjusted(-4, -4, 4, 4));
    constexpr metering_recording::Column kLines[] = {
        metering_recording::kVld, metering_recording::kVs, metering_recording::kIld};
    for (int line = 0; line < 3; ++line) {
        const cp::Axis& axis = line == 2 ? amperes : volts;
        QPainterPath path;
        std::vector<QPointF> dots;
        bool gap = true;
        for (const mc::TrendSample& sample : trend_.Samples()) {
            const std::optional<double> value = sample.Number(kLines[line]);
            if (!value) {
                gap = true;
                continue;
            }
            const QPointF point(time.Place(Seconds(sample.time), plot.left(), plot.right()),
                                axis.Place(*value, plot.bottom(), plot.top()));
            if (gap) {
                path.moveTo(point);
            } else {
                path.lineTo(point);
            }
            gap = false;
            dots.push_back(point);
        }
        const QColor colour = cp::SeriesColour(line);
        painter.setPen(QPen(colour, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
        painter.setBrush(colour);
        painter.setPen(Qt::NoPen);
        for (const QPointF& dot : dots) {
            painter.drawEllipse(dot, 2.5, 2.5);
        }
    }
    painter.setClipping(false);
    painter.setPen(QColor(0xa0, 0xa0, 0xa0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
}
