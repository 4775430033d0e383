#pragma once
// A tab page's behaviour over its form model. The main window owns one object per page for its
// whole life; only the page's window comes and goes with the tabs.
#include <string>

#include "app/form_model.h"
#include "app/user_prompts.h"

// A dialog template's size in dialog units, which the view turns into pixels.
struct TemplateSize {
    int width = 0;
    int height = 0;
};

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

    // The tabs are removed: re-created pages show blank fields until they are filled again.
    virtual void EmptyTexts() {
        form_.EmptyTexts();
        form_.Changed();
    }

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
    // The user changed an edit's text; the form already holds the new text.
    virtual void OnEditChanged(int controlId) { (void)controlId; }
    // The tooltip a control carries, "" for none.
    virtual std::string ToolTip(int controlId) const {
        (void)controlId;
        return {};
    }

  protected:
    FormModel form_;

  private:
    std::string caption_;
    int templateId_;
    TemplateSize size_;
};
