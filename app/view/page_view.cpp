#include "app/view/page_view.h"

#include <QHideEvent>

#include "app/view/form_binder.h"
#include "app/view/metering_charts_view.h"
#include "app/view/page_forms.h"
#include "app/view/qt_page_timer.h"

namespace {
// Dialog units of the templates' font in pixels.
int DluToPixelsX(int dlu) {
    return dlu * 3 / 2;
}
int DluToPixelsY(int dlu) {
    return dlu * 13 / 8;
}
}  // namespace

PageView::PageView(Page& page, UserPrompts& prompts, ActionRunner runAction, QWidget* parent)
    : QWidget(parent), page_(page), prompts_(prompts), runAction_(std::move(runAction)) {
    std::vector<ControlName> names = SetUpPageForm(page.TemplateId(), this);
    setObjectName(QStringLiteral("page%1").arg(page.TemplateId()));
    resize(DluToPixelsX(page.Size().width), DluToPixelsY(page.Size().height));
    binder_ =
        new FormBinder(page.Form(), this, std::move(names),
                       FormHandlers{
                           [this, &prompts](int id) {
                               Run([this, &prompts, id] { page_.OnSelectionChanged(id, prompts); });
                           },
                           [this, &prompts](int id) {
                               Run([this, &prompts, id] { page_.OnCommand(id, prompts); });
                           },
                           [this](int id) { page_.OnEditChanged(id); },
                           [this](int id) { return page_.ToolTip(id); },
                       });
    binder_->Refresh();
    // A tick is a panel action like a click, unless other panel work is running then.
    timer_ = new QtPageTimer(
        [this, &prompts](int id) { DeliverTimerTick(page_, id, prompts, runAction_); }, this);
    page_.SetTimer(timer_);
    if (auto* metering = dynamic_cast<CPPTwo*>(&page)) {
        new MeteringChartsView(
            *metering, prompts, [this](const std::function<void()>& action) { Run(action); }, this);
    }
}

PageView::~PageView() {
    page_.SetTimer(nullptr);
}

QtPageTimer& PageView::Timer() {
    return *timer_;
}

FormBinder& PageView::Binder() {
    return *binder_;
}

void PageView::Run(const std::function<void()>& action) {
    if (runAction_) {
        runAction_(action);
    } else {
        action();
    }
}

void PageView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Run([this] { page_.OnShowWindow(true, prompts_); });
}

void PageView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // A widget hidden on its own is marked hidden; one hidden with its parent, or by the window
    // system (minimised), is not.
    const bool itself = !event->spontaneous() && isHidden();
    Run([this, itself] {
        page_.OnShowWindow(false, prompts_);
        if (itself) {
            page_.OnHiddenItself(prompts_);
        }
    });
}
