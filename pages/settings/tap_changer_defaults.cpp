#include "pages/settings/tap_changer_defaults.h"

#include "protocol/requests.h"
#include "protocol/value_store.h"

namespace {

// Register order 180..189: R/L on time, R/L off time, tap-change time-out (tenths), tap input,
// tap input type, tap input pulse (hundredths), pre-tap, post-tap time (tenths), neutral input,
// neutral count.
constexpr std::array<DiagDefaultsRow, kTapChangerTypeCount> kDefaultsTable = {{
    {100, 0, 0, 0, 0, 0, 2, 12, 0, 1},    // KORVANT
    {80, 30, 30, 0, 1, 2, 5, 5, 0, 1},    // GE
    {50, 20, 30, 0, 1, 10, 2, 12, 2, 1},  // LTC
    {80, 30, 30, 1, 1, 2, 5, 5, 1, 1},    // COOP SD
    {5, 30, 30, 1, 1, 6, 5, 5, 1, 1},     // COOP DD
    {5, 30, 30, 0, 1, 6, 5, 5, 2, 1},     // LTC .5
    {},                                   // Custom: no row
    {2, 30, 30, 1, 1, 2, 5, 5, 1, 1},     // COOP QD
}};

int32_t TypeOfText(const std::string& text) {
    for (int type = 0; type < kTapChangerTypeCount; ++type) {
        if (text == kTapChangerNames[static_cast<std::size_t>(type)]) {
            return type;
        }
    }
    return 0;
}

}  // namespace

const DiagDefaultsRow* TapChangerDefaultsRow(int32_t type) {
    if (type < 0 || type >= kTapChangerTypeCount || type == kCustomTapChanger) {
        return nullptr;
    }
    return &kDefaultsTable[static_cast<std::size_t>(type)];
}

void ApplyTapChangerDefaults(const DiagDefaultsRow& row) {
    int32_t* diag = StoreSlots(kSettingsBank, kFirstDiagRegister);
    for (std::size_t i = 0; i < row.size(); ++i) {
        diag[i] = row[i];
    }
    SetSlotsHeld(diag, static_cast<int>(row.size()), true);
    TapChangerState().defaultsApplied = true;
}

TapChangerFlags& TapChangerState() {
    static TapChangerFlags flags;
    return flags;
}

void ResetTapChangerFlags() {
    TapChangerState() = TapChangerFlags{};
}

void TapChangerSelectionChanged(const std::string& text, UserPrompts& prompts) {
    int32_t& stored = StoreSlot(kSettingsBank, kTapChangerTypeRegister);
    const int32_t oldType = stored;
    const int32_t newType = TypeOfText(text);
    stored = newType;
    if (const DiagDefaultsRow* row = TapChangerDefaultsRow(newType)) {
        ApplyTapChangerDefaults(*row);
    }
    if (newType != oldType) {
        // Also for "Custom": the Diag page shows the store again, whatever it holds.
        ShowOk(prompts, kDiagUpdatedText, kDiagUpdatedCaption);
        TapChangerState().diagRefresh = true;
    }
}

void ApplyDefaultsForPanelType(int32_t type) {
    const DiagDefaultsRow* row = TapChangerDefaultsRow(type);
    if (row == nullptr) {
        return;
    }
    ApplyTapChangerDefaults(*row);
    WriteRegisters(kSettingsBank, kFirstDiagRegister, kDiagRegisterCount,
                   StoreSlots(kSettingsBank, kFirstDiagRegister));
}

void ApplyDefaultsBeforeFileSave() {
    if (!TapChangerState().defaultsApplied) {
        return;
    }
    if (const DiagDefaultsRow* row =
            TapChangerDefaultsRow(StoreSlot(kSettingsBank, kTapChangerTypeRegister))) {
        ApplyTapChangerDefaults(*row);
    }
}

void DefaultsSavedInFile() {
    TapChangerState().defaultsApplied = false;
}
