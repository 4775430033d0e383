#pragma once
// The window of one tab page: widgets from the page's form, bound to the page's behaviour.
// It exists only while its tab does.
#include <QWidget>
#include <functional>

#include "pages/kit/page.h"
#include "pages/kit/user_prompts.h"

class FormBinder;
class QtPageTimer;

class PageView : public QWidget {
    Q_OBJECT
  public:
    // Every user action on the page runs through `runAction`, which reports what it got from
    // the panel (the main window's status line).
    using ActionRunner = std::function<void(const std::function<void()>&)>;
    PageView(Page& page, UserPrompts& prompts, ActionRunner runAction = {},
             QWidget* parent = nullptr);
    ~PageView() override;
    Page& PageBehaviour() { return page_; }
    // The widget of a control id, for the views' tests.
    FormBinder& Binder();
    // The page's window timers.
    QtPageTimer& Timer();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void Run(const std::function<void()>& action);

    Page& page_;
    UserPrompts& prompts_;
    ActionRunner runAction_;
    FormBinder* binder_ = nullptr;
    QtPageTimer* timer_ = nullptr;
};
