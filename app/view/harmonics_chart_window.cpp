#include "app/view/harmonics_chart_window.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include "app/view/chart_style.h"

namespace mc = metering_charts;

HarmonicsChartWindow::HarmonicsChartWindow(std::function<void()> read, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("harmonicsChartWindow"));
    setWindowTitle(QStringLiteral("Harmonics"));
    chart_ = new QChart;
    bars_ = new QBarSeries;
    chart_->addSeries(bars_);
    auto* harmonics = new QBarCategoryAxis;
    for (int n = 1; n <= mc::kHarmonicsShown; ++n) {
        harmonics->append(QString::number(n));
    }
    harmonics->setTitleText(QStringLiteral("Harmonic"));
    chart_->addAxis(harmonics, Qt::AlignBottom);
    values_ = new QValueAxis;
    values_->setTitleText(QStringLiteral("RMS"));
    values_->setLabelFormat(QStringLiteral("%.1f"));
    chart_->addAxis(values_, Qt::AlignLeft);
    bars_->attachAxis(harmonics);
    bars_->attachAxis(values_);

    QChartView* view = StyledChartView(chart_, this);
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
    layout->addWidget(view, 1);
    layout->addLayout(buttons);
    resize(960, 540);
    Draw(mc::HarmonicsNotRead());
}

void HarmonicsChartWindow::Draw(const mc::HarmonicsChart& chart) {
    chart_->setTitle(QString::fromStdString(chart.title));
    bars_->clear();
    for (const mc::HarmonicsSeries& series : chart.series) {
        auto* set = new QBarSet(QString::fromStdString(series.name));
        for (double value : series.rms) {
            set->append(value);
        }
        bars_->append(set);
    }
    // A spectrum of zeros still gets an axis to stand on.
    values_->setRange(0, chart.largest > 0 ? chart.largest * 1.1 : 1.0);
    values_->applyNiceNumbers();
}
