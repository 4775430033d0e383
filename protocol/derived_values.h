#pragma once
// Slots the tool overwrites after reading the maintenance blocks; the maintenance page relies
// on what they hold.
#include <cstdint>

#include "protocol/panel_registers.h"

inline constexpr unsigned kMaintenanceBank = kSettingsBank;

// Register 10/210 holds, in the tool's store, the mechanism code worked out from the
// full-load current in register 10/122 rather than what the panel sent. The current is read
// into a local value, so the store's copy of 10/122 keeps what the Configuration page holds.
inline constexpr unsigned kMechanismCodeRegister = 210;
inline constexpr unsigned kMechanismSourceRegister = 122;

// 2 below 400, 1 for 400..667, 3 for 668..874, 4 from 875 on.
int32_t MechanismCode(int32_t value122);
void StoreMechanismCode(int32_t value122);

// Slot 10/220 becomes the largest of slots 10/220..10/230 (signed); 10/219 takes no part.
inline constexpr unsigned kLargestCounterRegister = 220;
inline constexpr unsigned kLastCounterRegister = 230;
void ApplyLargestCounter();

// Read the block from the panel and apply its derived step.
void ReadMaintenanceStatus();
void ReadMaintenanceCounters();
