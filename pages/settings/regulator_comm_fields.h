#pragma once
// The Regulator and Comm page's numeric edits, lists and single-register writes, as data (see
// pages/kit/fields.h), with the conversions of its own.
#include <span>

#include "pages/kit/fields.h"
#include "resources/ids/regulator_comm.h"

namespace regulator_conversions {
// A compensation: the signed form of the register, which replaces the slot, in whole volts
// (the tenths are cut off toward zero).
std::string ShowCompensation(int32_t* slots);
int64_t TakeCompensation(const std::string& text);
// A delay goes out as the low 8 bits of the typed integer: 300 sends 44.
int64_t TakeDelay(const std::string& text);
// From the VRC mode (slots[0]) and the local VRC percent in tenths (slots[1]).
std::string ShowVrcStatus(int32_t* slots);
std::string ShowCmVersion(int32_t* slots);
}  // namespace regulator_conversions

inline constexpr Conversion kDelayText{conversions::ShowInteger, regulator_conversions::TakeDelay};
// Shown as signed whole volts; the typed integer x 10 goes out as its low 16 bits, held within
// the signed range first so that no typed value reaches the panel with the other sign.
inline constexpr Conversion kCompensationText{regulator_conversions::ShowCompensation,
                                              regulator_conversions::TakeCompensation};
// Tenths shown with one decimal; only the typed integer is taken, x 10 ("2.5" sends 20).
inline constexpr Conversion kWholeTenthsText{conversions::ShowTenths, conversions::TakeTimesTen};
// "----" while VRC is off, else the local VRC percent.
inline constexpr Conversion kVrcStatusText{regulator_conversions::ShowVrcStatus, nullptr};
// 10/41 is sent as the leading integer of the "VRC Stat:" text (0 for "----").
inline constexpr Conversion kVrcStatusSent{nullptr, conversions::TakeInteger};
inline constexpr Conversion kCmVersionText{regulator_conversions::ShowCmVersion, nullptr};

namespace regulator_text {
inline constexpr char kRegQuestion[] = "<REG> Settings";
inline constexpr char kSetPointQuestion[] = "Set Point CFG";
inline constexpr char kCommQuestion[] = "<COMM> Settings";
inline constexpr char kDnpSetNotSupported[] = "set8 to set15 Not Yet Supported";
inline constexpr char kDnpSetCaption[] = "Select Another";
}  // namespace regulator_text

// The set points, in the order "Send Set Point Reg Cfg" writes them (the first ten blocks of
// the regulator block table).
inline constexpr NumericField kSetPointFields[] = {
    {.id = ids::regulator::kFwdVolts, .reg = {2, 24}, .conversion = kTenthsText},
    {.id = ids::regulator::kFwdBandwidth, .reg = {2, 20}, .conversion = kTenthsText},
    {.id = ids::regulator::kFwdDelay, .reg = {2, 25}, .conversion = kDelayText},
    {.id = ids::regulator::kFwdCompR, .reg = {2, 22}, .conversion = kCompensationText},
    {.id = ids::regulator::kFwdCompX, .reg = {2, 21}, .conversion = kCompensationText},
    {.id = ids::regulator::kRevVolts, .reg = {2, 12}, .conversion = kTenthsText},
    {.id = ids::regulator::kRevBandwidth, .reg = {2, 8}, .conversion = kTenthsText},
    {.id = ids::regulator::kRevDelay, .reg = {2, 13}, .conversion = kDelayText},
    {.id = ids::regulator::kRevCompR, .reg = {2, 10}, .conversion = kCompensationText},
    {.id = ids::regulator::kRevCompX, .reg = {2, 9}, .conversion = kCompensationText},
};

// The rest of "<REGULATOR>"; none has a range check.
inline constexpr NumericField kRegulatorFields[] = {
    {.id = ids::regulator::kAltDelay, .reg = {10, 156}, .conversion = kDelayText},
    {.id = ids::regulator::kLocalVrc, .reg = {2, 30}, .conversion = kWholeTenthsText},
    {.id = ids::regulator::kVrcStage1, .reg = {2, 31}, .conversion = kWholeTenthsText},
    {.id = ids::regulator::kVrcStage2, .reg = {2, 32}, .conversion = kWholeTenthsText},
    {.id = ids::regulator::kVrcStage3, .reg = {2, 33}, .conversion = kWholeTenthsText},
    {.id = ids::regulator::kKz3aVrc, .reg = {10, 15}, .conversion = kWholeTenthsText},
    {.id = ids::regulator::kAutoVrcSet1, .reg = {2, 36}, .conversion = kWholeTenthsText},
    {.id = ids::regulator::kAutoVrcSet2, .reg = {2, 37}, .conversion = kWholeTenthsText},
    {.id = ids::regulator::kAutoVrc1Current, .reg = {2, 34}},
    {.id = ids::regulator::kAutoVrc2Current, .reg = {2, 35}},
    {.id = ids::regulator::kVlcUpper, .reg = {2, 27}, .conversion = kTenthsText},
    {.id = ids::regulator::kVlcLower, .reg = {2, 28}, .conversion = kTenthsText},
    {.id = ids::regulator::kVrcStatus, .reg = {2, 29}, .conversion = kVrcStatusText},
    {.id = ids::regulator::kVrcStatus, .reg = {10, 41}, .conversion = kVrcStatusSent},
};

inline constexpr NumericField kCommunicationFields[] = {
    {.id = ids::regulator::kRegId, .reg = {2, 15}},
    {.id = ids::regulator::kCommAddress, .reg = {2, 43}},
    {.id = ids::regulator::kResyncTime, .reg = {2, 46}},
    {.id = ids::regulator::kTxEnableDelay, .reg = {2, 47}},
    {.id = ids::regulator::kCmVersion, .reg = {10, 139}, .conversion = kCmVersionText},
};

// "Set Comm Cfg" writes these one request each, in this order. The protocol, baud, parity and
// address go out only when the link register (11/239) last read 1; on any other link, or before
// it was read, the panel keeps its own.
struct CommunicationWrite {
    Reg reg;
    bool onlyOnLinkOne = false;
};
inline constexpr CommunicationWrite kCommunicationWrites[] = {
    {.reg = {2, 15}},
    {.reg = {10, 127}, .onlyOnLinkOne = true},
    {.reg = {2, 44}, .onlyOnLinkOne = true},
    {.reg = {10, 128}, .onlyOnLinkOne = true},
    {.reg = {2, 43}, .onlyOnLinkOne = true},
    {.reg = {2, 46}},
    {.reg = {2, 47}},
    {.reg = {10, 152}},
    {.reg = {10, 157}},
    {.reg = {10, 159}},
    {.reg = {10, 201}},
};

// "VRC1 In:" .. "VLC Enable:", stored at once when picked.
std::span<const ListField> RegulatorLists();
// "Protocol:" .. "DNP set:".
std::span<const ListField> CommunicationLists();
// The items of the hidden "CM Unsolicited:" list, which nothing uses.
inline const Texts kCmUnsolicitedItems = {"N", "Y"};
