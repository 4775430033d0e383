#pragma once
// The window of one tab page: widgets from the page's form, bound to the page's behaviour.
// It exists only while its tab does.
#include <QWidget>

#include "pages/kit/page.h"
#include "pages/kit/user_prompts.h"

class FormBinder;

class PageView : public QWidget {
    Q_OBJECT
  public:
    PageView(Page& page, UserPrompts& prompts, QWidget* parent = nullptr);
    ~PageView() override;
    Page& PageBehaviour() { return page_; }
    // The widget of a control id, for the views' tests.
    FormBinder& Binder();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    Page& page_;
    FormBinder* binder_ = nullptr;
};
