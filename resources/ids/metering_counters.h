#pragma once
// Control ids of the page on template 104.

namespace ids::metering {

inline constexpr int kTemplate = 104;

}  // namespace ids::metering
