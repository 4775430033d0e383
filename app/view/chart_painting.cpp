#include "app/view/chart_painting.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace chart_painting {

namespace {

// Against ticks lost to rounding: 0.1 * 3 is a little more than 0.3.
constexpr double kSlack = 1e-9;

const QColor kGrid(0xe0, 0xe0, 0xe0);
const QColor kText(0x40, 0x40, 0x40);

QString Label(double value, int decimals) {
    // -0.0 would print with its sign.
    return QString::number(std::abs(value) < 1e-12 ? 0.0 : value, 'f', decimals);
}

QFont TitleFont(const QPainter& painter) {
    QFont font = painter.font();
    font.setPointSizeF(font.pointSizeF() * 1.2);
    font.setBold(true);
    return font;
}

double Gap(const QPainter& painter) {
    return QFontMetricsF(painter.font()).height() * 0.4;
}

}  // namespace

std::vector<double> Axis::Ticks() const {
    std::vector<double> ticks;
    for (double tick = first; tick <= high + step * kSlack; tick += step) {
        ticks.push_back(tick);
    }
    return ticks;
}

int Axis::Decimals() const {
    int decimals = 0;
    while (decimals < 6 &&
           std::abs(step * std::pow(10, decimals) - std::round(step * std::pow(10, decimals))) >
               kSlack * std::pow(10, decimals)) {
        ++decimals;
    }
    return decimals;
}

double Axis::Place(double value, double from, double to) const {
    return from + (value - low) / (high - low) * (to - from);
}

Axis ValueAxis(double low, double high, int most) {
    if (!(high > low)) {
        high = low + 1;
    }
    const double magnitude = std::pow(10, std::floor(std::log10((high - low) / most)));
    for (double multiple : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        const double step = multiple * magnitude;
        const double from = std::floor(low / step + kSlack) * step;
        const double to = std::ceil(high / step - kSlack) * step;
        if ((to - from) / step <= most + kSlack) {
            return {from, to, step, from};
        }
    }
    return {low, high, high - low, low};  // not reached: ten times the least step fits
}

Axis TimeAxis(double low, double high, int most) {
    if (!(high > low)) {
        high = low + 1;
    }
    double step = 3600;
    for (double seconds : {1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800}) {
        if ((high - low) / seconds <= most) {
            step = seconds;
            break;
        }
    }
    return {low, high, step, std::ceil(low / step - kSlack) * step};
}

QColor SeriesColour(int index) {
    static const QColor kColours[] = {QColor(0x20, 0x9f, 0xdf), QColor(0x99, 0xca, 0x53),
                                      QColor(0xf6, 0xa6, 0x25)};
    return kColours[index % 3];
}

QRectF DrawFrame(QPainter& painter, const QRectF& area, const QString& title,
                 const QStringList& legend) {
    painter.fillRect(area, Qt::white);
    const QFontMetricsF metrics(painter.font());
    const double gap = Gap(painter);
    const QRectF inner = area.adjusted(3 * gap, 2 * gap, -3 * gap, -2 * gap);

    painter.save();
    painter.setFont(TitleFont(painter));
    painter.setPen(kText);
    const double titleHeight = QFontMetricsF(painter.font()).height();
    painter.drawText(QRectF(inner.left(), inner.top(), inner.width(), titleHeight), Qt::AlignCenter,
                     title);
    painter.restore();

    const double square = metrics.height() * 0.6;
    double width = 0;
    for (const QString& name : legend) {
        width += square + gap + metrics.horizontalAdvance(name) + 3 * gap;
    }
    double x = inner.center().x() - width / 2;
    const double y = inner.bottom() - metrics.height();
    painter.save();
    painter.setPen(kText);
    for (int i = 0; i < legend.size(); ++i) {
        painter.fillRect(QRectF(x, y + (metrics.height() - square) / 2, square, square),
                         SeriesColour(i));
        x += square + gap;
        const double nameWidth = metrics.horizontalAdvance(legend[i]);
        painter.drawText(QRectF(x, y, nameWidth + 1, metrics.height()), Qt::AlignVCenter,
                         legend[i]);
        x += nameWidth + 3 * gap;
    }
    painter.restore();
    return inner.adjusted(0, titleHeight + 2 * gap, 0, -(metrics.height() + 2 * gap));
}

double ValueAxisWidth(const QPainter& painter, const Axis& axis) {
    const QFontMetricsF metrics(painter.font());
    double widest = 0;
    for (double tick : axis.Ticks()) {
        widest = std::max(widest, metrics.horizontalAdvance(Label(tick, axis.Decimals())));
    }
    return widest + 2 * Gap(painter) + metrics.height();
}

void DrawValueAxis(QPainter& painter, const QRectF& plot, const Axis& axis, Side side,
                   const QString& title) {
    const QFontMetricsF metrics(painter.font());
    const double gap = Gap(painter);
    const double width = ValueAxisWidth(painter, axis) - metrics.height() - 2 * gap;
    painter.save();
    for (double tick : axis.Ticks()) {
        const double y = axis.Place(tick, plot.bottom(), plot.top());
        if (side == Side::kLeft) {
            painter.setPen(kGrid);
            painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        }
        painter.setPen(kText);
        const QRectF box(side == Side::kLeft ? plot.left() - gap - width : plot.right() + gap,
                         y - metrics.height() / 2, width, metrics.height());
        painter.drawText(box,
                         (side == Side::kLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                         Label(tick, axis.Decimals()));
    }
    QFont bold = painter.font();
    bold.setBold(true);
    painter.setFont(bold);
    const double x = side == Side::kLeft ? plot.left() - 2 * gap - width - metrics.height() / 2
                                         : plot.right() + 2 * gap + width + metrics.height() / 2;
    painter.translate(x, plot.center().y());
    painter.rotate(side == Side::kLeft ? -90 : 90);
    painter.drawText(
        QRectF(-plot.height() / 2, -metrics.height() / 2, plot.height(), metrics.height()),
        Qt::AlignCenter, title);
    painter.restore();
}

double BottomAxisHeight(const QPainter& painter) {
    return 2 * QFontMetricsF(painter.font()).height() + 2 * Gap(painter);
}

void DrawBottomLabel(QPainter& painter, const QRectF& plot, double x, const QString& label) {
    const QFontMetricsF metrics(painter.font());
    const double width = metrics.horizontalAdvance(label) + 2;
    painter.save();
    painter.setPen(kText);
    painter.drawText(
        QRectF(x - width / 2, plot.bottom() + Gap(painter) / 2, width, metrics.height()),
        Qt::AlignCenter, label);
    painter.restore();
}

void DrawBottomTitle(QPainter& painter, const QRectF& plot, const QString& title) {
    const QFontMetricsF metrics(painter.font());
    painter.save();
    QFont bold = painter.font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(kText);
    painter.drawText(QRectF(plot.left(), plot.bottom() + metrics.height() + Gap(painter),
                            plot.width(), metrics.height()),
                     Qt::AlignCenter, title);
    painter.restore();
}

}  // namespace chart_painting
