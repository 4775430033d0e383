#pragma once
// "Configuration" (template 103): the "<CONFIGURE>" group (configuration block table) and the
// "<ADV CONFIGURE>" group (advanced configuration block table). The page holds no register
// values of its own: lists store a pick at once, edits are converted by the Set actions, and
// the Get actions show the value store.
#include <ctime>
#include <functional>
#include <set>
#include <string>

#include "pages/page.h"
#include "pages/settings/configuration_fields.h"

class CPPOne : public Page {
  public:
    CPPOne();

    // What the main window runs on Connect and after an import.
    void Download(UserPrompts& prompts) override { GetCfgAndAdvCfg(prompts); }
    void Upload(UserPrompts& prompts) override { SetCfgAndAdvCfg(prompts); }
    // The page's window is gone: a new one starts from the template, empty and enabled.
    void EmptyTexts() override;

    void OnCommand(int controlId, UserPrompts& prompts) override;
    void OnSelectionChanged(int controlId, UserPrompts& prompts) override;
    void OnEditChanged(int controlId) override;
    std::string ToolTip(int controlId) const override;

    void GetCfgAndAdvCfg(UserPrompts& prompts);
    void SetCfgAndAdvCfg(UserPrompts& prompts);
    void GetConfig(UserPrompts& prompts);
    void GetAdvConfig(UserPrompts& prompts);
    void SetConfig(UserPrompts& prompts);
    void SetAdvConfig(UserPrompts& prompts);
    void SyncPanelClock(UserPrompts& prompts);
    void ViewImportedData(UserPrompts& prompts);

    // Bits 10..15 of the version word as the last GetConfig showed it.
    int SubVersion() const { return subVersion_; }
    // Where SyncPanelClock takes the PC's local date and time; the system clock by default.
    void SetClock(std::function<std::tm()> clock) { clock_ = std::move(clock); }

  private:
    void BuildForm();
    void ShowLists(int group);
    void ShowList(const ListField& field);
    void ShowModelDependentLists();
    void ShowClock();
    void StoreSelection(const ListField& field, UserPrompts& prompts);
    bool PanelShowsRemoteAuto() const;
    void AttachMemoTip(int memoId);

    int subVersion_ = 0;
    std::set<int> memoTips_;
    std::function<std::tm()> clock_;
};

// Box texts of the page.
namespace configuration_text {
inline constexpr char kConfirmCaption[] = "CONFIRM SETTINGS";
inline constexpr char kTypeChanged[] =
    "<CFG> Settings\n This will change some of the <DIAG> settings to defaults";
inline constexpr char kTypeUnchanged[] = "No Change in Tap Changer Type Sensed";
inline constexpr char kAdvancedQuestion[] = "<ADV CFG> Settings";
inline constexpr char kSyncQuestion[] =
    "Do you wish to set the Control Panel date and time to the current date and time?";
inline constexpr char kSyncCaption[] = "SET TIME & DATE";
inline constexpr char kDateNotPackable[] =
    "The PC date is outside the years the panel can hold (1990..2053).\n The panel clock was "
    "not set.";
inline constexpr char kNotImported[] = "Data Was not Imported";
inline constexpr char kNotImportedCaption[] = "NO FILE OPERATION DETECTED";
}  // namespace configuration_text
