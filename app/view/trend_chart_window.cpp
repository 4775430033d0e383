#include "app/view/trend_chart_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/view/trend_lines.h"

namespace {

QPushButton* Button(const char* text, const char* name, const char* tip, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setToolTip(QString::fromUtf8(tip));
    return button;
}

}  // namespace

TrendChartWindow::TrendChartWindow(UserPrompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window), prompts_(prompts) {
    setObjectName(QStringLiteral("trendChartWindow"));
    setWindowTitle(QStringLiteral("Trend"));
    lines_ = new TrendLines(this);
    save_ = Button("Save\u2026", "trendSave",
                   "Writes the rows shown to a metering recording (CSV), as voltscope-cli "
                   "metering-record writes them",
                   this);
    open_ = Button("Open\u2026", "trendOpen", "Draws a saved metering recording", this);
    live_ = Button("Live", "trendLive", "Back to the trend of Auto Refresh", this);
    connect(save_, &QPushButton::clicked, this, [this] { state_.Save(prompts_); });
    connect(open_, &QPushButton::clicked, this, [this] {
        if (state_.Open(prompts_)) {
            Refresh();
        }
    });
    connect(live_, &QPushButton::clicked, this, [this] {
        state_.ShowLive();
        Refresh();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save_);
    buttons->addWidget(open_);
    buttons->addWidget(live_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lines_, 1);
    layout->addLayout(buttons);
    resize(900, 500);
    Refresh();
}

void TrendChartWindow::Draw(const metering_charts::MeteringTrend& trend) {
    state_.SetLive(trend);
    if (!state_.ShowingRecording()) {
        Refresh();
    }
}

void TrendChartWindow::Refresh() {
    lines_->Show(state_.Shown(), QString::fromStdString(state_.Title()));
    save_->setEnabled(state_.CanSave());
    live_->setEnabled(state_.ShowingRecording());
}
