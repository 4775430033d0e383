#pragma once
// Control ids of the register-table form that stands in for a page whose own form is not built.

namespace ids::table {

inline constexpr int kRegisterTable = 2000;
inline constexpr int kPageNote = 2001;
inline constexpr int kGetButton = 2002;
inline constexpr int kSetButton = 2003;

}  // namespace ids::table
