#pragma once
// The Logs and Quick Key page's read-only number fields and the texts of its lists, as data
// (see pages/kit/fields.h). The lists themselves are built by the page, which owns their rules.
#include <array>
#include <cstdint>

#include "pages/data/logs_page_state.h"
#include "pages/kit/fields.h"
#include "protocol/panel_registers.h"
#include "resources/ids/logs_quick_key.h"

inline constexpr uint8_t kLogSetupWordRegister = 1;
inline constexpr uint8_t kLogIntervalRegister = 3;
inline constexpr uint8_t kIntervalCountRegister = 0;
inline constexpr uint8_t kEventCountRegister = 4;
// Start registers of the two clear requests.
inline constexpr uint8_t kClearEventsRegister = 4;
inline constexpr uint8_t kClearIntervalsRegister = 40;
inline constexpr uint8_t kLogMinMaxRegister = 216;  // bank 10
inline constexpr uint8_t kQuickMenuRegister = 161;  // bank 10, item k + 1 at 161 + k
inline constexpr uint8_t kQuickDisplayTimeRegister = 176;
inline constexpr uint8_t kQuickTimeoutRegister = 177;
// Log set-up by single reads on panels older than this version.
inline constexpr int kLogSetupTableVersion = 410;

// How many records the panel holds ("Avail:"), shown "%d".
inline constexpr NumericField kLogCountFields[] = {
    {.id = ids::logs::kEventsAvailable,
     .reg = {kLogBank, kEventCountRegister},
     .conversion = {conversions::ShowInteger, nullptr}},
    {.id = ids::logs::kIntervalsAvailable,
     .reg = {kLogBank, kIntervalCountRegister},
     .conversion = {conversions::ShowInteger, nullptr}},
};

// The quick time-outs, shown "%d" as the quick menu's Get read them.
inline constexpr NumericField kQuickTimeoutFields[] = {
    {.id = ids::logs::kQuickTimeout,
     .reg = {10, kQuickTimeoutRegister},
     .conversion = {conversions::ShowInteger, nullptr}},
    {.id = ids::logs::kQuickDisplayTime,
     .reg = {10, kQuickDisplayTimeRegister},
     .conversion = {conversions::ShowInteger, nullptr}},
};

// The ON/OFF list of each bit of the log-setup word; bit 11 has none.
struct LogSetupBitControl {
    int id;
    int bit;
};
inline constexpr LogSetupBitControl kLogSetupBitControls[] = {
    {ids::logs::kLogEvent, 0},         {ids::logs::kEventTap, 1},
    {ids::logs::kEventVlc, 2},         {ids::logs::kEventVrc, 3},
    {ids::logs::kEventNeutral, 4},     {ids::logs::kEventNnRaise, 5},
    {ids::logs::kEventNnLower, 6},     {ids::logs::kEventAlert, 7},
    {ids::logs::kEventConfig, 8},      {ids::logs::kEventPowerFlow, 9},
    {ids::logs::kEventPowerCycle, 10}, {ids::logs::kLogInterval, 12},
    {ids::logs::kResetLogMinMax, 13},
};

// The quick menu "Korvant QC Set" sends: tap, serial number, the two auto-calibrations, total
// operations, the PT and CT ratios, the four basic meter screens, alert enable, tap control
// switch and regulator id.
inline constexpr std::array<int32_t, kQuickMenuItems> kDefaultQuickMenuScreens = {
    102, 88, 79, 80, 92, 159, 160, 161, 0, 3, 9, 12, 220, 230, 195};

// Value texts (index = value).
inline const Texts kOffOn = {"OFF", "ON"};
inline const Texts kNoYes = {"NO", "YES"};
inline const Texts kInstDmd = {"Inst", "Dmd"};
