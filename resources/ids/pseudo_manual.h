#pragma once
// Control ids of the page on template 110.

namespace ids::pseudo {

inline constexpr int kTemplate = 110;

}  // namespace ids::pseudo
