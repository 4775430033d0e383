#pragma once
// Control ids of the page on template 109.

namespace ids::regulator {

inline constexpr int kTemplate = 109;

}  // namespace ids::regulator
