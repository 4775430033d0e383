#pragma once
// The two chart windows of the Metering page, opened by the page form's "Harmonics Chart" and
// "Trend Chart" buttons (additions of the tool's own, outside the page's controls). It lives
// with the page's window and closes its chart windows with it; the data they draw comes from
// the page's own reads (metering_charts.h).
#include <QObject>
#include <functional>
#include <memory>

#include "pages/data/metering_charts.h"
#include "pages/kit/user_prompts.h"

class HarmonicsChartWindow;
class QWidget;
class TrendChartWindow;

class MeteringChartsView : public QObject {
    Q_OBJECT
  public:
    // `run` runs a panel action as the page's own clicks are run.
    using Runner = std::function<void(const std::function<void()>&)>;
    MeteringChartsView(CPPTwo& page, UserPrompts& prompts, Runner run, QWidget* pageWidget);
    ~MeteringChartsView() override;

    // Opens (or brings forward) a window; for the buttons and the tests.
    HarmonicsChartWindow* OpenHarmonics();
    TrendChartWindow* OpenTrend();

  private:
    CPPTwo& page_;
    UserPrompts& prompts_;
    Runner run_;
    QWidget* pageWidget_;
    std::unique_ptr<metering_charts::MeteringChartFeed> feed_;
    HarmonicsChartWindow* harmonics_ = nullptr;
    TrendChartWindow* trend_ = nullptr;
};
