// Believable contents of the registers the Diag, Pwds and Alerts page shows: board versions,
// a serial number, the checksum result and the DIAG settings of the "GE" mechanism the default
// panel drives; passwords with their On/Off bits; a few active and acknowledged alerts with the
// time and date each was raised.
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "sim/panel_registers.h"

namespace sim {
namespace {

void LoadDiagnostics(PanelRegisters& r) {
    SetText(r, 9, 53, "C4B2A7");                      // main board, power board and mask versions
    constexpr std::uint32_t kSerialNumber = 1207345;  // above 65535: both halves in use
    SetAll(r, 9, 56, {kSerialNumber & 0xFFFF, kSerialNumber >> 16, 3});  // low, high, revision
    r.Set(10, 70, 1);                                                    // checksum test: PASS
    SetAll(r, 10, 129, {0xA53C, 0x1F07});
    SetAll(r, 10, 215, {1});  // fixed raise/lower on-time: Y
    r.Set(10, 218, 0);        // panel type KZ-4A
    // The defaults of the "GE" mechanism the panel's 10/120 names.
    SetAll(r, 10, 180, {80, 30, 30, 0, 1, 2, 5, 5, 0, 1});
}

void LoadPasswords(PanelRegisters& r) {
    r.Set(11, 199, 0x0803);       // Level 1, Config and Diag ask their passwords
    SetText(r, 11, 200, "1234");  // Level 1
    SetText(r, 11, 202, "CFG7");  // Config
    SetText(r, 11, 210, "8869");  // Alert, still its default
    SetText(r, 11, 222, "D1AG");  // Diag
    SetText(r, 11, 224, "SYS9");  // System
}

void LoadAlerts(PanelRegisters& r) {
    // 10/80: Low Current active, Tap Track Err acknowledged, High Current active and
    // acknowledged. 10/81: Low Battery active, Not in Auto active, Self Test acknowledged.
    SetAll(r, 10, 80, {0x3021, 0x0811});
    const std::uint16_t today =
        PackDate(kDefaultClock.year, kDefaultClock.month, kDefaultClock.day);
    SetAll(r, 10, 85, {PackTime(9, 58, 4), today});
    SetAll(r, 10, 89, {PackTime(22, 17, 30), PackDate(2026, 3, 12)});
    SetAll(r, 10, 97, {PackTime(7, 45, 12), today});
    SetAll(r, 10, 101, {PackTime(3, 2, 0), PackDate(2026, 2, 28)});
    SetAll(r, 10, 105, {PackTime(10, 40, 9), today});
    SetAll(r, 10, 111, {PackTime(0, 0, 5), PackDate(2026, 1, 1)});
}

}  // namespace

void LoadDiagPwdsAlertsDefaults(PanelRegisters& registers) {
    LoadDiagnostics(registers);
    LoadPasswords(registers);
    LoadAlerts(registers);
}

}  // namespace sim
