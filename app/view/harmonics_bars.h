#pragma once
// The harmonics chart itself: the spectra as grouped bars, one group per harmonic 1..31, the
// THD in the title, the legend below.
#include <QWidget>

#include "pages/data/metering_charts.h"

class HarmonicsBars : public QWidget {
    Q_OBJECT
  public:
    explicit HarmonicsBars(QWidget* parent);
    void Show(const metering_charts::HarmonicsChart& chart);
    const metering_charts::HarmonicsChart& Shown() const { return chart_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    metering_charts::HarmonicsChart chart_;
};
