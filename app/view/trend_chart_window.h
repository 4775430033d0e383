#pragma once
// The Metering page's "Trend" window: Vld and Vs (volts, left axis) and Ild (amperes, right
// axis) against the time of day, over the last 30 minutes of automatic refresh, or a recording
// opened with "Open…" until "Live"; "Save…" writes the rows shown as a recording. Non-modal; it
// reads nothing from the panel itself. What it shows and does is TrendWindowState's.
#include <QWidget>

#include "pages/data/trend_window_state.h"
#include "pages/kit/user_prompts.h"

class QPushButton;
class TrendLines;

class TrendChartWindow : public QWidget {
    Q_OBJECT
  public:
    TrendChartWindow(UserPrompts& prompts, QWidget* parent);
    // The live trend changed.
    void Draw(const metering_charts::MeteringTrend& trend);
    TrendLines* Lines() const { return lines_; }
    QPushButton* SaveButton() const { return save_; }
    QPushButton* OpenButton() const { return open_; }
    QPushButton* LiveButton() const { return live_; }

  private:
    void Refresh();

    UserPrompts& prompts_;
    metering_charts::TrendWindowState state_;
    TrendLines* lines_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* open_ = nullptr;
    QPushButton* live_ = nullptr;
};
