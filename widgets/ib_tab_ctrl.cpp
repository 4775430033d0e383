#include "widgets/ib_tab_ctrl.h"

CIbTabCtrl::CIbTabCtrl(QWidget* parent) : QTabWidget(parent) {}

void CIbTabCtrl::AddPage(const QString& caption, QWidget* page) {
    page->hide();
    addTab(page, caption);
}

void CIbTabCtrl::ShowPage(int index) {
    if (index >= 0 && index < count()) {
        setCurrentIndex(index);
    }
}

void CIbTabCtrl::RemovePage(int index) {
    if (index < 0 || index >= count()) {
        return;
    }
    QWidget* page = widget(index);
    removeTab(index);
    delete page;
    if (count() > 0) {
        setCurrentIndex(0);
    }
}

void CIbTabCtrl::RemoveAllPages() {
    while (count() > 0) {
        RemovePage(count() - 1);
    }
}
