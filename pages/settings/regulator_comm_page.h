#pragma once
// "Regulator and Comm" (template 109): the "<REGULATOR>" group (regulator block table, whose
// first ten blocks are the set points) and the "<COMMUNICATIONS>" group (communication block
// table, written register by register). The page holds no register values of its own: lists
// store a pick at once, edits are converted by the Set actions, the Get actions show the store.
#include <vector>

#include "pages/kit/fields.h"
#include "pages/kit/page.h"
#include "pages/kit/panel_action.h"

class CPPOneA : public Page {
  public:
    CPPOneA();

    // What the main window runs on Connect and after an import.
    void Download(UserPrompts& prompts) override { GetRegAndCommConfig(prompts); }
    void Upload(UserPrompts& prompts) override { SetRegAndCommConfig(prompts); }
    void ResetWindow() override;
    std::vector<FieldGroup> FieldGroups() const override;

    void OnCommand(int controlId, UserPrompts& prompts) override;
    void OnSelectionChanged(int controlId, UserPrompts& prompts) override;

    void GetRegAndCommConfig(UserPrompts& prompts);
    void SetRegAndCommConfig(UserPrompts& prompts);
    void GetRegConfig(UserPrompts& prompts);
    void SetRegConfig(UserPrompts& prompts);
    void GetSetPointConfig(UserPrompts& prompts);
    void SendSetPointConfig(UserPrompts& prompts);
    void GetCommConfig(UserPrompts& prompts);
    void SetCommConfig(UserPrompts& prompts);
    void ViewImportedData(UserPrompts& prompts);
    // For a page that shows a configuration file beside the window's own pages: its Gets never
    // ask the panel for the link register, and the link's rules are left to the window's page.
    void NeverAskLink() { asksLink_ = false; }

  private:
    void ApplyLinkRules();

    bool asksLink_ = true;

    // The set points are read by both Gets; the rest of the regulator table by one.
};
