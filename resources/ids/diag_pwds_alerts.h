#pragma once
// Control ids of the Diag, Pwds and Alerts page (template 108).

namespace ids::diag {

inline constexpr int kTemplate = 108;

inline constexpr int kPanelType = 1379;
inline constexpr int kFixedOnTime = 1380;
inline constexpr int kTapIn = 1381;
inline constexpr int kTapInType = 1382;
inline constexpr int kNeutralIn = 1383;
inline constexpr int kNeutralCount = 1384;

}  // namespace ids::diag
