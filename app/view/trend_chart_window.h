#pragma once
// The Metering page's "Trend" window: Vld and Vs (volts, left axis) and Ild (amperes, right
// axis) against the time of day, over the last 30 minutes of automatic refresh. Non-modal; it
// draws what it is given and reads nothing itself.
#include <QWidget>

#include "pages/data/metering_charts.h"

class QChart;
class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

class TrendChartWindow : public QWidget {
    Q_OBJECT
  public:
    explicit TrendChartWindow(QWidget* parent);
    void Draw(const metering_charts::MeteringTrend& trend);
    QChart* Chart() const { return chart_; }
    QLineSeries* Vld() const { return vld_; }
    QLineSeries* Vs() const { return vs_; }
    QLineSeries* Ild() const { return ild_; }

  private:
    QChart* chart_ = nullptr;
    QLineSeries* vld_ = nullptr;
    QLineSeries* vs_ = nullptr;
    QLineSeries* ild_ = nullptr;
    QDateTimeAxis* time_ = nullptr;
    QValueAxis* volts_ = nullptr;
    QValueAxis* amperes_ = nullptr;
};
