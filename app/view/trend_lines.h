#pragma once
// The trend chart itself: Vld and Vs (volts, left axis) and Ild (amperes, right axis) against
// the time of day, a dot for each refresh, so that a pause of automatic refresh shows as a
// longer line between two dots and a value the panel did not send as a gap in its line.
#include <QWidget>

#include "pages/data/metering_charts.h"

class TrendLines : public QWidget {
    Q_OBJECT
  public:
    explicit TrendLines(QWidget* parent);
    void Show(const metering_charts::MeteringTrend& trend, const QString& title);
    const metering_charts::MeteringTrend& Shown() const { return trend_; }
    const QString& Title() const { return title_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    metering_charts::MeteringTrend trend_;
    QString title_;
    metering_charts::Clock::time_point emptyUntil_;  // the time axis's end while empty
};
