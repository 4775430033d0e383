#include "app/view/compare_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QTableWidgetItem* Cell(const std::string& text) {
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

CompareWindow::CompareWindow(UserPrompts& prompts, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("compareWindow"));
    setWindowTitle(QString::fromLatin1(kCompareCaption));
    summary_ = new QLabel(QString::fromLatin1(kNoDifferences), this);
    summary_->setObjectName(QStringLiteral("IDC_COMPARE_SUMMARY"));
    table_ = new QTableWidget(0, 5, this);
    table_->setObjectName(QStringLiteral("IDC_COMPARE_TABLE"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    // The two sides share what room there is; a memo's text can be long.
    for (int column : {0, 1, 4}) {
        table_->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    for (int column : {2, 3}) {
        table_->horizontalHeader()->setSectionResizeMode(column, QHeaderView::Stretch);
    }
    save_ = new QPushButton(QStringLiteral("Save…"), this);
    save_->setObjectName(QStringLiteral("IDC_COMPARE_SAVE"));
    close_ = new QPushButton(QStringLiteral("Close"), this);
    close_->setObjectName(QStringLiteral("IDC_COMPARE_CLOSE"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save_);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
    resize(720, 360);
    close_->setFocus();

    connect(save_, &QPushButton::clicked, this,
            [this, &prompts] { SaveComparison(prompts, comparison_); });
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
}

void CompareWindow::Show(const SettingsComparison& comparison) {
    comparison_ = comparison;
    table_->setHorizontalHeaderLabels({QStringLiteral("Section"), QStringLiteral("Setting"),
                                       QString::fromStdString(comparison.aName),
                                       QString::fromStdString(comparison.bName),
                                       QStringLiteral("Bank/Register")});
    table_->setRowCount(static_cast<int>(comparison.rows.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const SettingsDifference& d = comparison.rows[static_cast<std::size_t>(row)];
        int column = 0;
        for (const std::string* text : {&d.section, &d.label, &d.a, &d.b, &d.reg}) {
            table_->setItem(row, column++, Cell(*text));
        }
    }
    table_->setCurrentCell(-1, -1);
    summary_->setVisible(comparison.rows.empty());
}
