#pragma once
// What a page shows above its register table while its own controls are not built yet.
inline constexpr char kRegisterTableNote[] =
    "Register values as last read from the panel (bank/register, decimal, hex).";
inline constexpr char kOnRequestNote[] =
    "Register values as last read from the panel. Press Get to read them now.";
inline constexpr char kNoRegistersNote[] = "This page has no stored registers.";
