#pragma once
// A tab page's behaviour over its form model. The main window owns one object per page for its
// whole life; only the page's window comes and goes with the tabs.
#include <cstddef>
#include <string>
#include <vector>

#include "pages/kit/fields.h"
#include "pages/kit/form_model.h"
#include "pages/kit/user_prompts.h"

class PageTimer;

// A dialog template's size in dialog units, which the view turns into pixels.
struct TemplateSize {
    int width = 0;
    int height = 0;
};

// A button and the page action it runs, for a page's table of buttons.
template <class P>
struct ButtonAction {
    int id;
    void (P::*run)(UserPrompts&);
};

// Makes the form's control of every button in the table.
template <class P, std::size_t N>
void AddButtons(FormModel& form, const ButtonAction<P> (&actions)[N]) {
    for (const ButtonAction<P>& action : actions) {
        form[action.id];
    }
}

// Runs the action of button `id`; false when the table has none.
template <class P, std::size_t N>
bool RunButton(P& page, const ButtonAction<P> (&actions)[N], int id, UserPrompts& prompts) {
    for (const ButtonAction<P>& action : actions) {
        if (action.id == id) {
            (page.*action.run)(prompts);
            return true;
        }
    }
    return false;
}

class Page {
  public:
    Page(std::string caption, int templateId, TemplateSize size)
        : caption_(std::move(caption)), templateId_(templateId), size_(size) {}
    virtual ~Page() = default;
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    const std::string& Caption() const { return caption_; }
    int TemplateId() const { return templateId_; }
    TemplateSize Size() const { return size_; }
    FormModel& Form() { return form_; }
    const FormModel& Form() const { return form_; }

    // What the main window runs on Connect (download) or after an import (upload). Pages
    // outside the download sequence keep the defaults, which do nothing.
    virtual void Download(UserPrompts& prompts) { (void)prompts; }
    virtual void Upload(UserPrompts& prompts) { (void)prompts; }

    // The tabs are removed: the page window made at the next set-up starts from its form, with
    // blank fields and nothing read. Pages with state of their own extend this.
    virtual void ResetWindow() {
        form_.Reset();
        form_.Changed();
    }

    // The page's groups of table-driven controls with the registers each reads and writes.
    virtual std::vector<FieldGroup> FieldGroups() const { return {}; }

    // Notifications the view forwards from the page's controls.
    virtual void OnCommand(int controlId, UserPrompts& prompts) {
        (void)controlId;
        (void)prompts;
    }
    virtual void OnSelectionChanged(int controlId, UserPrompts& prompts) {
        (void)controlId;
        (void)prompts;
    }
    virtual void OnShowChanged(bool shown) { (void)shown; }
    // After OnShowWindow(false) when the page window itself was hidden (the tab control showed
    // another page), not merely with its parent (the main window minimised).
    virtual void OnHiddenItself(UserPrompts& prompts) { (void)prompts; }
    // What the view calls when the page's window is shown or hidden; for pages whose showing
    // may tell the user something. By default just OnShowChanged.
    virtual void OnShowWindow(bool shown, UserPrompts& prompts) {
        (void)prompts;
        OnShowChanged(shown);
    }
    // A timer the page started ran out (pages/kit/page_timer.h says how ticks arrive).
    virtual void OnTimer(int timerId, UserPrompts& prompts) {
        (void)timerId;
        (void)prompts;
    }
    // The timers of the page's window while the window exists; nullptr without one.
    void SetTimer(PageTimer* timer) { timer_ = timer; }
    // The user changed an edit's text; the form already holds the new text.
    virtual void OnEditChanged(int controlId) { (void)controlId; }
    // The tooltip a control carries, "" for none.
    virtual std::string ToolTip(int controlId) const {
        (void)controlId;
        return {};
    }

  protected:
    FormModel form_;
    PageTimer* timer_ = nullptr;

  private:
    std::string caption_;
    int templateId_;
    TemplateSize size_;
};
