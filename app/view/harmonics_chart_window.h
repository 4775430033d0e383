#pragma once
// The Metering page's "Harmonics" window: the load voltage, source voltage and load current
// spectra as grouped bars for harmonics 1 to 31, their THD in the title. Non-modal; it draws
// what it is given and reads nothing itself: its Read button runs the page's harmonics read.
#include <QWidget>
#include <functional>

#include "pages/data/metering_charts.h"

class QBarCategoryAxis;
class QBarSeries;
class QChart;
class QPushButton;
class QValueAxis;

class HarmonicsChartWindow : public QWidget {
    Q_OBJECT
  public:
    HarmonicsChartWindow(std::function<void()> read, QWidget* parent);
    void Draw(const metering_charts::HarmonicsChart& chart);
    QChart* Chart() const { return chart_; }
    QPushButton* ReadButton() const { return read_; }

  private:
    QChart* chart_ = nullptr;
    QBarSeries* bars_ = nullptr;
    QValueAxis* values_ = nullptr;
    QPushButton* read_ = nullptr;
};
