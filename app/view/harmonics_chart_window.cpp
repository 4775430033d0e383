#include "app/view/harmonics_chart_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/view/harmonics_bars.h"

HarmonicsChartWindow::HarmonicsChartWindow(std::function<void()> read, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("harmonicsChartWindow"));
    setWindowTitle(QStringLiteral("Harmonics"));
    bars_ = new HarmonicsBars(this);
    read_ = new QPushButton(QStringLiteral("Read"), this);
    read_->setObjectName(QStringLiteral("harmonicsRead"));
    read_->setToolTip(
        QStringLiteral("Reads the harmonics from the panel, as Download Harmonics "
                       "does, without writing a file"));
    connect(read_, &QPushButton::clicked, this, [read = std::move(read)] { read(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(read_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bars_, 1);
    layout->addLayout(buttons);
    resize(960, 540);
}

void HarmonicsChartWindow::Draw(const metering_charts::HarmonicsChart& chart) {
    bars_->Show(chart);
}
