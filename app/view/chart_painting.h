#pragma once
// What the Metering page's two chart widgets share: axes with round tick values, the frame of
// a chart (a bold title above, the legend below, the plot between) and the series' colours.
// Drawn with QPainter, so the charts look the same on every platform Qt Widgets runs on.
#include <QColor>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

namespace chart_painting {

// An axis from `low` to `high` with a tick every `step` from `first` on.
struct Axis {
    double low = 0;
    double high = 1;
    double step = 1;
    double first = 0;
    std::vector<double> Ticks() const;
    // The digits after the point that tell the ticks apart.
    int Decimals() const;
    // Where `value` lies between `from` (at low) and `to` (at high), in pixels.
    double Place(double value, double from, double to) const;
};

// A value axis over at least [low, high] with at most `most` steps of 1, 2, 2.5 or 5 times a
// power of ten, both ends on a tick.
Axis ValueAxis(double low, double high, int most);
// A time axis over [low, high] (seconds) exactly, with ticks every 1, 2, 5, 10, 15 or 30
// seconds or minutes, on whole multiples of the step.
Axis TimeAxis(double low, double high, int most);

// The colours of the first, second and third series.
QColor SeriesColour(int index);

// Fills `area`, writes the title at its top and the legend (a coloured square per name) at its
// bottom; returns what is left for the plot, its axes' labels included.
QRectF DrawFrame(QPainter& painter, const QRectF& area, const QString& title,
                 const QStringList& legend);

enum class Side { kLeft, kRight };
// A value axis's labels and title beside `plot`, and on the left its grid lines across it.
void DrawValueAxis(QPainter& painter, const QRectF& plot, const Axis& axis, Side side,
                   const QString& title);
// The width to keep beside a plot for DrawValueAxis.
double ValueAxisWidth(const QPainter& painter, const Axis& axis);
// A label under the plot, centred on `x`, and the axis's title under the labels.
void DrawBottomLabel(QPainter& painter, const QRectF& plot, double x, const QString& label);
void DrawBottomTitle(QPainter& painter, const QRectF& plot, const QString& title);
// The height to keep under a plot for its labels and title.
double BottomAxisHeight(const QPainter& painter);

}  // namespace chart_painting
