#include "pages/settings/diag_pwds_alerts_page.h"

#include <algorithm>
#include <iterator>

#include "pages/kit/app_flags.h"
#include "pages/kit/list_selection.h"
#include "pages/settings/diag_fields.h"
#include "pages/settings/panel_passwords.h"
#include "pages/settings/tap_changer_defaults.h"
#include "protocol/block_tables.h"
#include "protocol/packed_time.h"
#include "protocol/panel_registers.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"
#include "resources/ids/diag_pwds_alerts.h"

namespace text = diag_text;
using namespace ids::diag;

namespace {

// SetDiagnostics writes block by block, in this order; the checksum results (10/70,
// 10/129..130) and the password On/Off bits (11/199) are only read.
constexpr RegisterBlock kDiagnosticsWrites[] = {
    {9, 53, 6}, {10, 218, 1}, {10, 180, 2}, {10, 215, 1}, {10, 182, 8},
};

constexpr ButtonAction<CPPFour> kButtons[] = {
    {kGetDiagAndPwds, &CPPFour::GetDiagAndPwds},
    {kSetDiagAndPwds, &CPPFour::SetDiagAndPwds},
    {kViewImportedData, &CPPFour::ViewImportedData},
    {kGetDiagnostics, &CPPFour::GetDiagnostics},
    {kSetDiagnostics, &CPPFour::SetDiagnostics},
    {kToggleDiagChanges, &CPPFour::ToggleDiagChanges},
    {kGetPasswords, &CPPFour::GetPasswords},
    {kSetPasswords, &CPPFour::SetPasswords},
    {kGetActiveAlerts, &CPPFour::GetActiveAlerts},
    {kAcknowledgeAlerts, &CPPFour::AcknowledgeAlerts},
};

// Enabled by "Permit <DIAG> Changes " on every panel; the other two only from version 4.10.
constexpr int kPermittedLists[] = {kTapIn, kTapInType, kNeutralIn, kNeutralCount};
constexpr int kVersionGatedLists[] = {kPanelType, kFixedOnTime};
constexpr int kVersionGate = 410;

int PasswordField(int level) {
    return kSystemPassword + level;
}

bool IsPasswordField(int id) {
    return id >= kSystemPassword && id < kSystemPassword + kPasswordCount;
}

// Stores the position of the picked text, 0 for a text that is none of the value texts. From
// value `firstCustom` on the pick only suits the "Custom" tap mechanism, which the user is told.
PickRule StoreOrZero(int firstCustom = -1) {
    return [firstCustom](const ListField& field, const std::string& text, UserPrompts& prompts) {
        const int position = ListPosition(field.ValueTexts(), text);
        field.reg.Slot() = position >= 0 ? position : 0;
        if (firstCustom >= 0 && position >= firstCustom) {
            ShowOk(prompts, text::kCustomTypeText, text::kCustomTypeCaption);
        }
    };
}

// "ON" sets the level's bit of 11/199, any other text clears it; no other bit changes.
void StoreOnOff(const ListField& field, const std::string& text, UserPrompts&) {
    int32_t& bits = field.reg.Slot();
    bits = text == "ON" ? bits | 1 << field.bit : bits & ~(1 << field.bit);
}

}  // namespace

CPPFour::CPPFour() : Page("Diag, Pwds and Alerts", kTemplate, {454, 383}) {
    BuildLists();
    AddLists(form_, {diagLists_, onOffLists_, ackLists_});
    AddFields(form_, {kDiagnosticFields});
    AddButtons(form_, kButtons);
    for (int level = 0; level < kPasswordCount; ++level) {
        form_[PasswordField(level)];
    }
    for (int alert = 0; alert < kAlertCount; ++alert) {
        form_[kStatusFields[alert]];
        form_[kDateFields[alert]];
        form_[kTimeFields[alert]];
    }
}

void CPPFour::BuildLists() {
    diagLists_ = {
        {.id = kPanelType, .reg = {10, 218}, .items = {"KZ-4A", "KZ-4B"}, .onPick = StoreOrZero()},
        {.id = kFixedOnTime,
         .reg = {10, 215},
         .items = {"Y", "N"},
         .values = {"N", "Y"},
         .onPick = StoreOrZero()},
        {.id = kTapIn, .reg = {10, 183}, .items = {"U10", "HS"}, .onPick = StoreOrZero()},
        {.id = kTapInType,
         .reg = {10, 184},
         .items = {"Toggle", "Pulse"},
         .onPick = StoreOrZero(1)},
        {.id = kNeutralIn,
         .reg = {10, 188},
         .items = {"U12", "U112", "None"},
         .onPick = StoreOrZero(1)},
        {.id = kNeutralCount, .reg = {10, 189}, .items = NumberTexts(4), .rule = ListRule::kNumber},
    };
    for (const PasswordLevel& level : kPasswordLevels) {
        if (level.onOffBit >= 0) {
            onOffLists_.push_back({.id = kFirstOnOff + level.onOffBit,
                                   .reg = {kPasswordBank, kPasswordOnOffRegister},
                                   .items = {"ON", "OFF"},
                                   .values = {"OFF", "ON"},
                                   .rule = ListRule::kBit,
                                   .bit = level.onOffBit,
                                   .onPick = StoreOnOff});
        }
    }
    // An "ACK:" list names the status word its pick changes; the page holds that word, so the
    // pick goes there rather than into the store.
    for (int alert = 0; alert < kAlertCount; ++alert) {
        const auto word = static_cast<uint8_t>(kAlertStatusRegister + kPanelAlerts[alert].word);
        ackLists_.push_back(
            {.id = kAckLists[alert],
             .reg = {kAlertBank, word},
             .items = {kAcknowledgeText, kNoAcknowledgeText},
             .onPick = [this, alert](const ListField&, const std::string& text, UserPrompts&) {
                 PickAcknowledge(alert, text);
             }});
    }
}

void CPPFour::ResetWindow() {
    Page::ResetWindow();
    alertsComplete_ = false;
    diagChangesPermitted_ = false;
    std::fill(std::begin(heldStatus_), std::end(heldStatus_), 0);
    std::fill(std::begin(readStatus_), std::end(readStatus_), 0);
    passwordTips_.clear();
}

std::vector<FieldGroup> CPPFour::FieldGroups() const {
    return {
        {"<DIAGNOSTICS>", kDiagnosticFields, diagLists_,
         Blocks(kDiagnosticsBlockTable, kDiagnosticsReadBlocks),
         Blocks(kDiagnosticsWrites, static_cast<int>(std::size(kDiagnosticsWrites)))},
        {"<PASSWORDS>",
         {},
         onOffLists_,
         Blocks(kPasswordsBlockTable, kPasswordsReadBlocks),
         Blocks(kPasswordsBlockTable, kPasswordsWriteBlocks)},
    };
}

void CPPFour::OnCommand(int controlId, UserPrompts& prompts) {
    RunButton(*this, kButtons, controlId, prompts);
}

void CPPFour::OnSelectionChanged(int controlId, UserPrompts& prompts) {
    for (const auto* lists : {&diagLists_, &onOffLists_, &ackLists_}) {
        if (OnListPicked(form_, *lists, controlId, prompts)) {
            return;
        }
    }
}

void CPPFour::GetDiagAndPwds(UserPrompts& prompts) {
    GetDiagnostics(prompts);
    GetPasswords(prompts);
}

void CPPFour::SetDiagAndPwds(UserPrompts& prompts) {
    SetDiagnostics(prompts);
    SetPasswords(prompts);
}

void CPPFour::ViewImportedData(UserPrompts& prompts) {
    ::ViewImportedData(prompts, [&] {
        GetDiagnostics(prompts);
        GetPasswords(prompts);
    });
}

// --- "<DIAGNOSTICS>" --------------------------------------------------------------------------

void CPPFour::ShowDiagnostics() {
    ShowFields(form_, kDiagnosticFields);
    RememberShownEdit(form_, kSerialNumber, {9, kSerialNumberRegister}, 2);
    ShowLists(form_, diagLists_);
    form_.Changed();
}

void CPPFour::GetDiagnostics(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return;
    }
    WaitCursor wait(prompts);
    ReadUnlessStoreOnly([] { ReadBlockTable(kDiagnosticsBlockTable, kDiagnosticsReadBlocks); });
    ShowDiagnostics();
}

void CPPFour::SetDiagnostics(UserPrompts& prompts) {
    if (TapChangerState().diagRefresh) {
        // A tap-changer type picked since the last Get put its defaults into the store: they
        // are what this page holds now, as it would show them.
        ShowDiagnostics();
        TapChangerState().diagRefresh = false;
    }
    StoreFields(form_, kDiagnosticFields);
    const Reg serialNumber{9, kSerialNumberRegister};
    if (!RestoreUnedited(form_, kSerialNumber, serialNumber, 2)) {
        const auto serial = diag_conversions::SerialNumberRegisters(form_[kSerialNumber].text);
        serialNumber.Slots()[0] = serial[0];
        serialNumber.Slots()[1] = serial[1];
        MarkStoredEdit(form_, kSerialNumber, serialNumber, 2);
    }
    StoreLists(form_, diagLists_);
    const SetOutcome outcome =
        ConfirmAndWrite(prompts, text::kDiagQuestion, kDiagnosticsWrites, [] {
            for (const RegisterBlock& run : kDiagnosticsWrites) {
                WriteRegisters(run.bank, run.start, run.count, StoreSlots(run.bank, run.start));
            }
        });
    if (outcome == SetOutcome::kWritten) {
        GetDiagnostics(prompts);
    }
}

void CPPFour::LockDiagnostics(bool locked) {
    form_[kSetDiagnostics].visible = !locked;
    for (int id : kEditableDiagFields) {
        form_[id].readOnly = locked;
    }
    for (int id : kPermittedLists) {
        form_[id].enabled = !locked;
    }
    if (locked) {
        for (int id : kVersionGatedLists) {
            form_[id].enabled = false;
        }
    }
    form_[kToggleDiagChanges].caption = locked ? text::kPermitCaption : text::kPreventCaption;
}

void CPPFour::ToggleDiagChanges(UserPrompts& prompts) {
    diagChangesPermitted_ = !diagChangesPermitted_;
    WaitCursor wait(prompts);
    LockDiagnostics(!diagChangesPermitted_);
    if (diagChangesPermitted_) {
        int32_t& word = StoreSlot(kSettingsBank, kVersionRegister);
        if (Flags().connected) {
            ReadRegisters(kSettingsBank, kVersionRegister, 1, &word);
        }
        SetPanelVersionWord(word);
        if (Flags().panelVersion >= kVersionGate) {
            for (int id : kVersionGatedLists) {
                form_[id].enabled = true;
            }
        }
    }
    form_.Changed();
}

void CPPFour::OnHiddenItself(UserPrompts& prompts) {
    // Whatever the user permitted ends when another tab is shown.
    diagChangesPermitted_ = true;
    ToggleDiagChanges(prompts);
}

void CPPFour::OnShowChanged(bool shown) {
    // A tap-changer type picked on the Configuration page put its defaults into the store: show
    // them as they stand there, without asking the panel.
    if (shown && TapChangerState().diagRefresh) {
        ShowDiagnostics();
        TapChangerState().diagRefresh = false;
    }
}

// --- "<PASSWORDS>" --------------------------------------------------------------------------

void CPPFour::ShowPasswords() {
    for (int level = 0; level < kPasswordCount; ++level) {
        const int id = PasswordField(level);
        const Reg registers{kPasswordBank, kPasswordLevels[level].firstRegister};
        form_[id].text = UnpackPassword(registers.Slots());
        RememberShownEdit(form_, id, registers, 2);
        passwordTips_.insert(id);
    }
    ShowLists(form_, onOffLists_);
    form_.Changed();
}

void CPPFour::GetPasswords(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return;
    }
    WaitCursor wait(prompts);
    ReadUnlessStoreOnly([] { ReadBlockTable(kPasswordsBlockTable, kPasswordsReadBlocks); });
    ShowPasswords();
}

void CPPFour::SetPasswords(UserPrompts& prompts) {
    for (int level = 0; level < kPasswordCount; ++level) {
        const PasswordLevel& rule = kPasswordLevels[level];
        const Reg registers{kPasswordBank, rule.firstRegister};
        if (RestoreUnedited(form_, PasswordField(level), registers, 2)) {
            continue;
        }
        ControlState& field = form_[PasswordField(level)];
        const std::string entry = field.text.substr(0, kPasswordLength);
        const std::string checked = CheckPassword(entry, rule.checkDefault);
        if (rule.sentOnlyUnchanged && checked != entry) {
            continue;  // the field keeps what was typed, the registers what they held
        }
        field.text = checked;
        PackPassword(checked, registers.Slots());
        MarkStoredEdit(form_, PasswordField(level), registers, 2);
        passwordTips_.insert(PasswordField(level));
    }
    // The On/Off word as the lists show it, whatever a read since has put into the store.
    StoreLists(form_, onOffLists_);
    form_.Changed();
    const SetOutcome outcome = ConfirmAndWrite(prompts, text::kPasswordsQuestion,
                                               kPasswordsBlockTable, kPasswordsWriteBlocks);
    if (outcome == SetOutcome::kWritten || outcome == SetOutcome::kDeclined) {
        GetPasswords(prompts);
    }
}

void CPPFour::OnEditChanged(int controlId) {
    if (IsPasswordField(controlId) && !passwordTips_.contains(controlId)) {
        passwordTips_.insert(controlId);
        form_.Changed();
    }
}

std::string CPPFour::ToolTip(int controlId) const {
    return passwordTips_.contains(controlId) ? kPasswordToolTip : std::string{};
}

// --- "<ALERTS>" -----------------------------------------------------------------------------

void CPPFour::GetActiveAlerts(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return;
    }
    WaitCursor wait(prompts);
    int32_t& dateOrder = StoreSlot(kSettingsBank, kDateOrderRegister);
    alertsComplete_ = EveryReplyCame([&] {
        ReadRegisters(kAlertBank, kAlertStatusRegister, kAlertStatusWords, heldStatus_);
        ReadBlockTable(kAlertsBlockTable, kAlertsReadBlocks);
        ReadRegisters(kSettingsBank, kDateOrderRegister, 1, &dateOrder);
    });
    std::copy(std::begin(heldStatus_), std::end(heldStatus_), std::begin(readStatus_));
    for (int alert = 0; alert < kAlertCount; ++alert) {
        ReadRegisters(kSettingsBank, kDateOrderRegister, 1, &dateOrder);
        const PanelAlert& where = kPanelAlerts[alert];
        const AlertStateLook& look = kAlertStateLooks[where.State(heldStatus_)];
        ControlState& status = form_[kStatusFields[alert]];
        status.text = look.text;
        status.background = look.background;
        const int32_t time = StoreSlot(kAlertBank, where.timeRegister);
        const int32_t date = StoreSlot(kAlertBank, where.timeRegister + 1);
        form_[kTimeFields[alert]].text =
            look.showsWhen ? PackedValueText(time, kPackedTime, 0) : std::string{};
        form_[kDateFields[alert]].text =
            look.showsWhen ? PackedValueText(date, kPackedDate, dateOrder) : std::string{};
    }
    form_.Changed();
}

void CPPFour::PickAcknowledge(int alert, const std::string& text) {
    // Only this alert's bit: the other alerts' picks and the state bits read from the panel
    // stay in the word the next acknowledgement writes. "-" leaves the bit as the panel sent it,
    // so an alert the panel has acknowledged already stays acknowledged.
    const PanelAlert& where = kPanelAlerts[alert];
    const int32_t bit = where.AcknowledgeBit();
    const int32_t chosen = text == kAcknowledgeText ? bit : readStatus_[where.word] & bit;
    int32_t& word = heldStatus_[where.word];
    word = (word & ~bit) | chosen;
}

void CPPFour::AcknowledgeAlerts(UserPrompts& prompts) {
    // The held words go back whole: state bits never read would be written as 0.
    if (!RequireConnected(prompts) || !AcceptIncompleteRead(prompts, alertsComplete_)) {
        return;
    }
    WriteRegisters(kAlertBank, kAlertStatusRegister, kAlertStatusWords, heldStatus_);
    GetActiveAlerts(prompts);
    for (int id : kAckLists) {
        SelectItem(form_[id], kNoAcknowledgeText);
    }
    form_.Changed();
}
