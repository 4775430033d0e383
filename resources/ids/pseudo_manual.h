#pragma once
// Control ids of the Pseudo Manual page (template 110). Its form names each widget
// "id<number>_<what>".

namespace ids::pseudo {

inline constexpr int kTemplate = 110;
inline constexpr char kFormFile[] = "pseudo_manual_page.ui";

inline constexpr int kMode = 1422;
inline constexpr int kRaise = 1006;
inline constexpr int kLower = 1007;
inline constexpr int kAutoInhibit = 1008;
inline constexpr int kRefresh = 1009;

}  // namespace ids::pseudo
