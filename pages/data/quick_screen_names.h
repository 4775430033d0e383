#pragma once
// The panel's display screens as the quick menu names them. A quick-menu register holds the
// index of its screen (0..230); 65535 means no screen, and any value above 230 shows as "NONE",
// the last name.
#include <array>
#include <cstdint>

inline constexpr int kQuickScreenNameCount = 232;
inline constexpr int kLastQuickScreen = 230;
inline constexpr int kQuickNoneIndex = 231;
inline constexpr int32_t kNoQuickScreen = 65535;

extern const std::array<const char*, kQuickScreenNameCount> kQuickScreenNames;
