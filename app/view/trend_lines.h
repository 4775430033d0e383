#pragma once
// The trend chart itself: Vld and Vs (volts, left axis) and Ild (amperes, right axis) against
// the time of day, a dot for each refresh, so that a pause of automatic refresh shows as a
// longer line between two dots.
#include <QWidget>

#include "pages/data/metering_charts.h"

class TrendLines : public QWidget {
    Q_OBJECT
  public:
    explicit TrendLines(QWidget* parent);
    void Show(const metering_charts::MeteringTrend& trend);
    const metering_charts::MeteringTrend& Shown() const { return trend_; }
    QString Title() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    metering_charts::MeteringTrend trend_;
    metering_charts::Clock::time_point emptyUntil_;  // the time axis's end while empty
};
