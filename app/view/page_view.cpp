#include "app/view/page_view.h"

#include <QHeaderView>

#include "app/view/form_binder.h"
#include "resources/resource_ids.h"
#include "ui_register_table_page.h"

namespace {
// Dialog units of the templates' font in pixels.
int DluToPixelsX(int dlu) {
    return dlu * 3 / 2;
}
int DluToPixelsY(int dlu) {
    return dlu * 13 / 8;
}
}  // namespace

PageView::PageView(Page& page, UserPrompts& prompts, QWidget* parent)
    : QWidget(parent), page_(page) {
    Ui::RegisterTablePageForm ui;
    ui.setupUi(this);
    setObjectName(QStringLiteral("page%1").arg(page.TemplateId()));
    setMinimumSize(DluToPixelsX(page.Size().width) / 2, DluToPixelsY(page.Size().height) / 2);
    resize(DluToPixelsX(page.Size().width), DluToPixelsY(page.Size().height));
    ui.IDC_REGISTER_TABLE->setColumnWidth(0, 140);
    ui.IDC_REGISTER_TABLE->setColumnWidth(1, 100);
    ui.IDC_REGISTER_TABLE->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    binder_ = new FormBinder(
        page.Form(), this,
        {{ids::kRegisterTable, "IDC_REGISTER_TABLE"},
         {ids::kPageNote, "IDC_PAGE_NOTE"},
         {ids::kGetButton, "IDC_GET"},
         {ids::kSetButton, "IDC_SET"}},
        [this, &prompts](int id) { page_.OnSelectionChanged(id, prompts); },
        [this, &prompts](int id) { page_.OnCommand(id, prompts); });
    binder_->Refresh();
}

PageView::~PageView() = default;

void PageView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    page_.OnShowChanged(true);
}

void PageView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    page_.OnShowChanged(false);
}
