#pragma once
// The tap-changer types the panel drives and the default DIAG settings (bank 10 registers
// 180..189) that belong to each of them, with the rules that copy a type's defaults into the
// value store and, on a type mismatch, into the panel.
#include <array>
#include <cstdint>
#include <string>

#include "pages/kit/user_prompts.h"
#include "protocol/panel_registers.h"

inline constexpr int kTapChangerTypeCount = 8;
inline constexpr int kCustomTapChanger = 6;
// Texts of the "TapChngr:" list, by register value.
inline constexpr std::array<const char*, kTapChangerTypeCount> kTapChangerNames = {
    "KORVANT", "GE", "LTC", "COOP SD", "COOP DD", "LTC .5", "Custom", "COOP QD"};

inline constexpr uint8_t kFirstDiagRegister = 180;
inline constexpr uint8_t kDiagRegisterCount = 10;

using DiagDefaultsRow = std::array<int32_t, kDiagRegisterCount>;

// The type's defaults row; nullptr for "Custom" and for values outside 0..7, which have none.
const DiagDefaultsRow* TapChangerDefaultsRow(int32_t type);

// Copies the row into the store's registers 180..189 and sets the defaults-applied flag.
void ApplyTapChangerDefaults(const DiagDefaultsRow& row);

struct TapChangerFlags {
    bool defaultsApplied = false;  // read and cleared by the configuration file save
    bool diagRefresh = false;      // read and cleared by the Diag page when next shown
};
TapChangerFlags& TapChangerState();
// Both flags clear, as at start (for tests).
void ResetTapChangerFlags();

inline constexpr char kDiagUpdatedText[] =
    "Tap Mech Type was Changed\n Corresponding <DIAG> Settings will change back to Defaults";
inline constexpr char kDiagUpdatedCaption[] = "DIAG UPDATED";

// The user picked `text` in "TapChngr:": stores the type and its defaults, and tells the user
// when the type changed. Nothing goes to the panel.
void TapChangerSelectionChanged(const std::string& text, UserPrompts& prompts);

// The panel holds another type than the store's `type`: the type's defaults go into the store
// and to the panel (bank 10 registers 180..189) before the configuration is confirmed.
void ApplyDefaultsForPanelType(int32_t type);

// Before a configuration file is written: when defaults were applied since the last save, the
// current type's defaults are copied into the store again. A type without a row ("Custom", or
// out of range) keeps the DIAG registers the user set. The flag is cleared by
// DefaultsSavedInFile once the file was written, so a failed write leaves it for the next save.
void ApplyDefaultsBeforeFileSave();
void DefaultsSavedInFile();
