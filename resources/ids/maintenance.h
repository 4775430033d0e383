#pragma once
// Control ids of the page on template 144.

namespace ids::maintenance {

inline constexpr int kTemplate = 144;

}  // namespace ids::maintenance
