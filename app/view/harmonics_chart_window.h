#pragma once
// The Metering page's "Harmonics" window: the load voltage, source voltage and load current
// spectra as grouped bars for harmonics 1 to 31, their THD in the title. Non-modal; it draws
// what it is given and reads nothing itself: its Read button runs the page's harmonics read.
#include <QWidget>
#include <functional>

#include "pages/data/metering_charts.h"

class HarmonicsBars;
class QPushButton;

class HarmonicsChartWindow : public QWidget {
    Q_OBJECT
  public:
    HarmonicsChartWindow(std::function<void()> read, QWidget* parent);
    void Draw(const metering_charts::HarmonicsChart& chart);
    HarmonicsBars* Bars() const { return bars_; }
    QPushButton* ReadButton() const { return read_; }

  private:
    HarmonicsBars* bars_ = nullptr;
    QPushButton* read_ = nullptr;
};
