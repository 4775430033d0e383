#include "app/view/harmonics_bars.h"

#include <QPainter>
#include <algorithm>

#include "app/view/chart_painting.h"

namespace mc = metering_charts;
namespace cp = chart_painting;

HarmonicsBars::HarmonicsBars(QWidget* parent) : QWidget(parent), chart_(mc::HarmonicsNotRead()) {
    setObjectName(QStringLiteral("harmonicsBars"));
    setMinimumSize(480, 270);
}

void HarmonicsBars::Show(const mc::HarmonicsChart& chart) {
    chart_ = chart;
    update();
}

void HarmonicsBars::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QStringList legend;
    for (const mc::HarmonicsSeries& series : chart_.series) {
        legend << QString::fromStdString(series.name);
    }
    QRectF plot = cp::DrawFrame(painter, rect(), QString::fromStdString(chart_.title), legend);
    // A spectrum of zeros still gets an axis to stand on.
    const cp::Axis values = cp::ValueAxis(0, chart_.largest > 0 ? chart_.largest * 1.1 : 1.0, 6);
    plot.adjust(cp::ValueAxisWidth(painter, values), 0, 0, -cp::BottomAxisHeight(painter));
    cp::DrawValueAxis(painter, plot, values, cp::Side::kLeft, QStringLiteral("RMS"));

    const double group = plot.width() / mc::kHarmonicsShown;
    const auto count = static_cast<double>(chart_.series.size());
    const double bar = group * 0.5 / std::max(count, 1.0);
    for (int n = 1; n <= mc::kHarmonicsShown; ++n) {
        const double left = plot.left() + (n - 1) * group;
        painter.setPen(QColor(0xe0, 0xe0, 0xe0));
        painter.drawLine(QPointF(left, plot.top()), QPointF(left, plot.bottom()));
        cp::DrawBottomLabel(painter, plot, left + group / 2, QString::number(n));
        for (std::size_t s = 0; s < chart_.series.size(); ++s) {
            const double value = chart_.series[s].rms[static_cast<std::size_t>(n - 1)];
            const double top = values.Place(value, plot.bottom(), plot.top());
            const double x = left + group * 0.25 + static_cast<double>(s) * bar;
            painter.fillRect(QRectF(x, top, bar, plot.bottom() - top),
                             cp::SeriesColour(static_cast<int>(s)));
        }
    }
    painter.setPen(QColor(0xa0, 0xa0, 0xa0));
    painter.drawRect(plot);
    cp::DrawBottomTitle(painter, plot, QStringLiteral("Harmonic"));
}
