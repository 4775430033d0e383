#pragma once
// Control ids of the Logs and Quick Key page (template 107).

namespace ids::logs {

inline constexpr int kTemplate = 107;

inline constexpr int kLogMinMax = 1317;

}  // namespace ids::logs
