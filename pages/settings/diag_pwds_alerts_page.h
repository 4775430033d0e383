#pragma once
// "Diag, Pwds and Alerts" (template 108): the "<DIAGNOSTICS>" group (diagnostics block table,
// locked until the user permits changes), the "<PASSWORDS>" group (passwords block table) and
// the "<ALERTS>" group (alert status words and the alerts block table). Lists store a pick at
// once, edits are converted by the Set actions, and the Get actions show the value store; the
// alert status words are held by the page.
#include <set>
#include <string>
#include <vector>

#include "pages/kit/fields.h"
#include "pages/kit/page.h"
#include "pages/kit/panel_action.h"
#include "pages/settings/panel_alerts.h"

class CPPFour : public Page {
  public:
    CPPFour();

    // What the main window runs on Connect and after an import.
    void Download(UserPrompts& prompts) override { GetDiagAndPwds(prompts); }
    void Upload(UserPrompts& prompts) override { SetDiagAndPwds(prompts); }
    void ResetWindow() override;
    std::vector<FieldGroup> FieldGroups() const override;

    void OnCommand(int controlId, UserPrompts& prompts) override;
    void OnSelectionChanged(int controlId, UserPrompts& prompts) override;
    void OnShowChanged(bool shown) override;
    void OnHiddenItself(UserPrompts& prompts) override;
    void OnEditChanged(int controlId) override;
    std::string ToolTip(int controlId) const override;

    void GetDiagAndPwds(UserPrompts& prompts);
    void SetDiagAndPwds(UserPrompts& prompts);
    void GetDiagnostics(UserPrompts& prompts);
    void SetDiagnostics(UserPrompts& prompts);
    void ToggleDiagChanges(UserPrompts& prompts);
    void GetPasswords(UserPrompts& prompts);
    void SetPasswords(UserPrompts& prompts);
    void GetActiveAlerts(UserPrompts& prompts);
    void AcknowledgeAlerts(UserPrompts& prompts);
    void ViewImportedData(UserPrompts& prompts);

    bool DiagChangesPermitted() const { return diagChangesPermitted_; }
    // The alert status words 10/80..81 as last read, with the acknowledgements picked since.
    const int32_t (&HeldAlertStatus() const)[kAlertStatusWords] { return heldStatus_; }

  private:
    void BuildLists();
    void ShowDiagnostics();
    void ShowPasswords();
    void LockDiagnostics(bool locked);
    void PickAcknowledge(int alert, const std::string& text);

    std::vector<ListField> diagLists_;
    std::vector<ListField> onOffLists_;
    std::vector<ListField> ackLists_;
    bool alertsComplete_ = false;  // every reply of the last read of the held status words
    bool diagChangesPermitted_ = false;
    int32_t heldStatus_[kAlertStatusWords] = {};
    int32_t readStatus_[kAlertStatusWords] = {};  // as the panel sent them
    std::set<int> passwordTips_;
};

// Box texts and captions of the page.
namespace diag_text {
inline constexpr char kDiagQuestion[] = "<DIAG> Settings";
inline constexpr char kPasswordsQuestion[] = "<PWDS> Settings";
inline constexpr char kCustomTypeText[] = "<CONFIG> Tap Mech Type should be Custom";
inline constexpr char kCustomTypeCaption[] = "Config";
inline constexpr char kPermitCaption[] = "Permit <DIAG> Changes";
inline constexpr char kPreventCaption[] = "Prevent <DIAG> Changes";
}  // namespace diag_text
