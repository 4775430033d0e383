#pragma once
// The "<DIAGNOSTICS>" edits of the Diag, Pwds and Alerts page as data (see pages/kit/fields.h),
// with the conversions only this group uses. The lists are built by the page, which owns their
// rules.
#include <array>
#include <cstdint>
#include <string>

#include "pages/kit/fields.h"
#include "resources/ids/diag_pwds_alerts.h"

namespace diag_conversions {
// A board version: two characters, the first in the high byte; a zero byte ends the text.
std::string ShowTwoCharacters(int32_t* slots);
// The first character to the high byte, the second to the low byte; a missing one counts 0.
int64_t TakeTwoCharacters(const std::string& text);
// 0 "UNDETERMINED", 1 "PASS", 2 "FAIL", any other value "".
std::string ShowCheckSum(int32_t* slots);
// The signed 32-bit number whose low 16 bits are the first register, high 16 the second.
std::string ShowSerialNumber(int32_t* slots);
// The two registers (low 16 bits, high 16 bits) of a typed serial number: its leading signed
// 32-bit integer, 0 when there is none.
std::array<int32_t, 2> SerialNumberRegisters(const std::string& text);
// Hundredths shown with two decimals, taken back as the typed number times 100 worked out on
// its decimal digits ("0.29" is 29: in double precision it would be 28).
std::string ShowHundredths(int32_t* slots);
int64_t TakeHundredths(const std::string& text);
}  // namespace diag_conversions

inline constexpr Conversion kTwoCharactersText{diag_conversions::ShowTwoCharacters,
                                               diag_conversions::TakeTwoCharacters};
inline constexpr Conversion kCheckSumText{diag_conversions::ShowCheckSum, nullptr};
// Spans two registers, so SetDiagnostics converts it itself (SerialNumberRegisters).
inline constexpr Conversion kSerialNumberText{diag_conversions::ShowSerialNumber, nullptr};
inline constexpr Conversion kDiagTenthsText = kTenthsText;
inline constexpr Conversion kDiagHundredthsText{diag_conversions::ShowHundredths,
                                                diag_conversions::TakeHundredths};

inline constexpr uint8_t kSerialNumberRegister = 56;  // bank 9, low half; 57 the high half

// "<DIAGNOSTICS>" edits, in the order SetDiagnostics converts them.
inline constexpr NumericField kDiagnosticFields[] = {
    {.id = ids::diag::kMainBoardVersion, .reg = {9, 53}, .conversion = kTwoCharactersText},
    {.id = ids::diag::kPowerBoardVersion, .reg = {9, 54}, .conversion = kTwoCharactersText},
    {.id = ids::diag::kMaskVersion, .reg = {9, 55}, .conversion = kTwoCharactersText},
    {.id = ids::diag::kSerialNumber,
     .reg = {9, kSerialNumberRegister},
     .conversion = kSerialNumberText},
    {.id = ids::diag::kProductRevision, .reg = {9, 58}},
    {.id = ids::diag::kCheckSum, .reg = {10, 70}, .conversion = kCheckSumText},
    {.id = ids::diag::kRaiseLowerOnTime, .reg = {10, 180}, .conversion = kDiagTenthsText},
    {.id = ids::diag::kRaiseLowerOffTime, .reg = {10, 181}, .conversion = kDiagTenthsText},
    {.id = ids::diag::kTapChangeTimeout, .reg = {10, 182}, .conversion = kDiagTenthsText},
    {.id = ids::diag::kTapInPulse, .reg = {10, 185}, .conversion = kDiagHundredthsText},
    {.id = ids::diag::kPreTapTime, .reg = {10, 186}, .conversion = kDiagTenthsText},
    {.id = ids::diag::kPostTapTime, .reg = {10, 187}, .conversion = kDiagTenthsText},
};

// The fields "Permit <DIAG> Changes " makes editable ("Ser No. :" and "Check Sum:" never are).
inline constexpr int kEditableDiagFields[] = {
    ids::diag::kMainBoardVersion, ids::diag::kPowerBoardVersion, ids::diag::kMaskVersion,
    ids::diag::kProductRevision,  ids::diag::kRaiseLowerOnTime,  ids::diag::kRaiseLowerOffTime,
    ids::diag::kTapChangeTimeout, ids::diag::kTapInPulse,        ids::diag::kPreTapTime,
    ids::diag::kPostTapTime,
};
