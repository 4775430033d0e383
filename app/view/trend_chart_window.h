#pragma once
// The Metering page's "Trend" window: Vld and Vs (volts, left axis) and Ild (amperes, right
// axis) against the time of day, over the last 30 minutes of automatic refresh. Non-modal; it
// draws what it is given and reads nothing itself.
#include <QWidget>

#include "pages/data/metering_charts.h"

class TrendLines;

class TrendChartWindow : public QWidget {
    Q_OBJECT
  public:
    explicit TrendChartWindow(QWidget* parent);
    void Draw(const metering_charts::MeteringTrend& trend);
    TrendLines* Lines() const { return lines_; }

  private:
    TrendLines* lines_ = nullptr;
};
