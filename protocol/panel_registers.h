#pragma once
// Registers with a meaning of their own for more than one part of the tool.
#include <cstdint>

inline constexpr uint8_t kSettingsBank = 10;
// The software version word: bits 0..9 the version x 100 (410 is 4.10), bits 10..15 a
// sub-version.
inline constexpr uint8_t kVersionRegister = 67;
inline constexpr uint8_t kDateOrderRegister = 11;  // 0 M/D/Y, 1 D/M/Y, 2 Y/M/D
inline constexpr uint8_t kClockTimeRegister = 16;  // packed time
inline constexpr uint8_t kClockDateRegister = 17;  // packed date
inline constexpr uint8_t kTapChangerTypeRegister = 120;

// Bank 11 register 239 reads non-zero on a panel that answers: the connection test.
inline constexpr uint8_t kLinkBank = 11;
inline constexpr uint8_t kLinkRegister = 239;
// The logs: their set-up, counts, start commands and the record each read brings.
inline constexpr uint8_t kLogBank = 11;

constexpr int PanelVersion(int32_t word) {
    return word & 0x3FF;
}
constexpr int VersionHighBits(int32_t word) {
    return (word >> 10) & 0x3F;
}
