#pragma once
// "Pseudo Manual" (template 110): the panel's manual controls from the PC. It shows the control
// mode (10/51), sends single raise and lower commands (4/3) and switches auto-inhibit (2/42).
// Its values are its own, not the value store's.
#include <string>

#include "pages/kit/page.h"

class CPPSix : public Page {
  public:
    CPPSix();

    void ResetWindow() override;
    void OnCommand(int controlId, UserPrompts& prompts) override;
    // The page window shown: the mode and the auto-inhibit caption are read afresh.
    void OnShowChanged(bool shown) override;

    // One request each, sent whether connected or not; nothing is read back.
    void Raise(UserPrompts& prompts);
    void Lower(UserPrompts& prompts);
    void ToggleAutoInhibit(UserPrompts& prompts);
    void RefreshPseudoManual();
    // The "Refresh" button.
    void Refresh(UserPrompts&) { RefreshPseudoManual(); }

    // 1 while the page takes auto-inhibit to be off (the button offers "Enable AUTO-INH").
    int AutoInhibitToggle() const { return toggle_; }

  private:
    void ShowMode();

    std::string modeText_;
    int toggle_ = 1;
};

namespace pseudo_manual_text {
inline constexpr char kNotConnected[] = "NOT CONNECTED";
inline constexpr char kNoReply[] = "NO REPLY";
inline constexpr char kEnableAutoInhibit[] = "Enable AUTO-INH";
inline constexpr char kDisableAutoInhibit[] = "Disable AUTO-INH";
}  // namespace pseudo_manual_text
