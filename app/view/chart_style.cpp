#include "app/view/chart_style.h"

#include <QFont>
#include <QLegend>
#include <QPainter>

QChartView* StyledChartView(QChart* chart, QWidget* parent) {
    chart->legend()->setAlignment(Qt::AlignBottom);
    QFont title = chart->titleFont();
    title.setPointSizeF(title.pointSizeF() * 1.2);
    title.setBold(true);
    chart->setTitleFont(title);
    auto* view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}
