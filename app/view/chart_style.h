#pragma once
// The look both chart windows share: the legend under the chart, a larger bold title, and a
// smoothed view.
#include <QChart>
#include <QChartView>
#include <QWidget>

QChartView* StyledChartView(QChart* chart, QWidget* parent);
