#include "pages/settings/pseudo_manual_page.h"

#include <iterator>

#include "pages/kit/app_flags.h"
#include "protocol/requests.h"
#include "resources/ids/pseudo_manual.h"

namespace text = pseudo_manual_text;
using namespace ids::pseudo;

namespace {

constexpr uint8_t kModeBank = 10;
constexpr uint8_t kModeRegister = 51;
constexpr uint8_t kTapBank = 4;
constexpr uint8_t kTapCommandRegister = 3;
constexpr int32_t kRaiseOneStep = 1;
constexpr int32_t kLowerOneStep = 0xFFFF;  // -1 in 16 bits
constexpr uint8_t kAutoInhibitBank = 2;
constexpr uint8_t kAutoInhibitRegister = 42;

constexpr const char* kModeTexts[] = {"OFF", "MANUAL", "AUTO-LOC", "AUTO-REM"};

constexpr ButtonAction<CPPSix> kButtons[] = {
    {kRaise, &CPPSix::Raise},
    {kLower, &CPPSix::Lower},
    {kAutoInhibit, &CPPSix::ToggleAutoInhibit},
    {kRefresh, &CPPSix::Refresh},
};

void WriteOne(uint8_t bank, uint8_t reg, int32_t value) {
    WriteRegisters(bank, reg, 1, &value);
}

}  // namespace

CPPSix::CPPSix() : Page("Pseudo Manual", kTemplate, {300, 200}) {
    for (int id : {kMode, kRaise, kLower, kAutoInhibit, kRefresh}) {
        form_[id];
    }
}

void CPPSix::ResetWindow() {
    Page::ResetWindow();
    // The new window's button offers "Enable AUTO-INH", as the form draws it.
    modeText_.clear();
    toggle_ = 1;
}

void CPPSix::OnCommand(int controlId, UserPrompts& prompts) {
    RunButton(*this, kButtons, controlId, prompts);
}

void CPPSix::OnShowChanged(bool shown) {
    if (shown) {
        RefreshPseudoManual();
    }
}

void CPPSix::Raise(UserPrompts&) {
    WriteOne(kTapBank, kTapCommandRegister, kRaiseOneStep);
}

void CPPSix::Lower(UserPrompts&) {
    WriteOne(kTapBank, kTapCommandRegister, kLowerOneStep);
}

void CPPSix::ToggleAutoInhibit(UserPrompts&) {
    const bool switchingOn = toggle_ != 0;
    WriteOne(kAutoInhibitBank, kAutoInhibitRegister, switchingOn ? 1 : 0);
    if (!LastRequest().completeReply) {
        // The button keeps offering what the panel was last known to need.
        return;
    }
    toggle_ = switchingOn ? 0 : 1;
    form_[kAutoInhibit].caption =
        switchingOn ? text::kDisableAutoInhibit : text::kEnableAutoInhibit;
    form_.Changed();
}

void CPPSix::ShowMode() {
    form_[kMode].text = modeText_;
    form_.Changed();
}

void CPPSix::RefreshPseudoManual() {
    if (!Flags().connected) {
        modeText_ = text::kNotConnected;
        ShowMode();
        return;
    }
    // Without a reply the panel's state is unknown: say so, never show a setting for it.
    const int32_t mode = ReadRegister(kModeBank, kModeRegister);
    if (!LastRequest().completeReply) {
        modeText_ = text::kNoReply;
    } else if (mode >= 0 && mode < static_cast<int32_t>(std::size(kModeTexts))) {
        modeText_ = kModeTexts[mode];
    }
    ShowMode();
    const bool on = ReadRegister(kAutoInhibitBank, kAutoInhibitRegister) != 0;
    if (!LastRequest().completeReply) {
        return;
    }
    toggle_ = on ? 0 : 1;
    form_[kAutoInhibit].caption = on ? text::kDisableAutoInhibit : text::kEnableAutoInhibit;
    form_.Changed();
}
