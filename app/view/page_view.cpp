#include "app/view/page_view.h"

#include "app/view/form_binder.h"
#include "app/view/page_forms.h"

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
    std::vector<ControlName> names = SetUpPageForm(page.TemplateId(), this);
    setObjectName(QStringLiteral("page%1").arg(page.TemplateId()));
    resize(DluToPixelsX(page.Size().width), DluToPixelsY(page.Size().height));
    binder_ =
        new FormBinder(page.Form(), this, std::move(names),
                       FormHandlers{
                           [this, &prompts](int id) { page_.OnSelectionChanged(id, prompts); },
                           [this, &prompts](int id) { page_.OnCommand(id, prompts); },
                           [this](int id) { page_.OnEditChanged(id); },
                           [this](int id) { return page_.ToolTip(id); },
                       });
    binder_->Refresh();
}

PageView::~PageView() = default;

FormBinder& PageView::Binder() {
    return *binder_;
}

void PageView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    page_.OnShowChanged(true);
}

void PageView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    page_.OnShowChanged(false);
}
