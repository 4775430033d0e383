#pragma once
// "Configuration" (template 103): the "<CONFIGURE>" group (configuration block table) and the
// "<ADV CONFIGURE>" group (advanced configuration block table). The page holds no register
// values of its own: lists store a pick at once, edits are converted by the Set actions, and
// the Get actions show the value store.
#include <ctime>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "pages/kit/fields.h"
#include "pages/kit/page.h"
#include "pages/kit/panel_action.h"

class CPPOne : public Page {
  public:
    CPPOne();

    // What the main window runs on Connect and after an import.
    void Download(UserPrompts& prompts) override { GetCfgAndAdvCfg(prompts); }
    void Upload(UserPrompts& prompts) override { SetCfgAndAdvCfg(prompts); }
    void ResetWindow() override;
    std::vector<FieldGroup> FieldGroups() const override;

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
    void ResetMinMaxValues(UserPrompts& prompts);
    void ViewImportedData(UserPrompts& prompts);
    void TestButton(UserPrompts& prompts);

    // Bits 10..15 of the version word as the last GetConfig showed it.
    int SubVersion() const { return subVersion_; }
    // Where SyncPanelClock takes the PC's local date and time; the system clock by default.
    void SetClock(std::function<std::tm()> clock) { clock_ = std::move(clock); }

  private:
    void BuildLists();
    void ShowClock();
    void ShowModelDependentLists();
    bool PanelShowsRemoteAuto() const;

    std::vector<ListField> configLists_;    // shown by "Get Config"
    std::vector<ListField> advancedLists_;  // shown by " Get Adv Cfg"
    std::vector<ListField> modelLists_;     // shown by " Get Adv Cfg", by panel model
    int subVersion_ = 0;
    std::set<int> memoTips_;
    std::function<std::tm()> clock_;
};

// Box texts of the page.
namespace configuration_text {
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
}  // namespace configuration_text
