#pragma once
// The fields of the "Metering and Counters" page as data: which register each shows and how.
// The panel sends 16-bit words; the page reads a word as unsigned tenths, as a signed integer,
// or, with the register after it as the high half, as a 32-bit counter.
#include <array>
#include <cstdint>
#include <string>

#include "pages/kit/fields.h"
#include "protocol/value_store.h"
#include "resources/ids/metering_counters.h"

namespace metering {

std::string ShowTenths(int32_t* slots);     // "%3.1f" of the unsigned word / 10
std::string ShowFrequency(int32_t* slots);  // "%2.1f" of the unsigned word / 10
std::string ShowSigned(int32_t* slots);     // "%d" of the signed word
std::string ShowCounter(int32_t* slots);    // the double word

// Every field of the page only shows what was read; "Total Ops:" is sent by its own rule.
inline constexpr Conversion kTenths{ShowTenths, nullptr};
inline constexpr Conversion kFrequency{ShowFrequency, nullptr};
inline constexpr Conversion kSigned{ShowSigned, nullptr};
inline constexpr Conversion kCounter{ShowCounter, nullptr};

using namespace ids::metering;

// The meter block table's 15 values, in the table's order.
inline constexpr NumericField kMeterFields[] = {
    {.id = kVld, .reg = {1, 2}, .conversion = kTenths},
    {.id = kVs, .reg = {1, 4}, .conversion = kTenths},
    {.id = kVcomp, .reg = {1, 14}, .conversion = kTenths},
    {.id = kIld, .reg = {1, 1}, .conversion = kSigned},
    {.id = kPf, .reg = {1, 11}, .conversion = kSigned},  // hundredths, shown as they come
    {.id = kKva, .reg = {1, 8}, .conversion = kSigned},
    {.id = kKw, .reg = {1, 10}, .conversion = kSigned},
    {.id = kKvar, .reg = {1, 9}, .conversion = kSigned},
    {.id = kFreq, .reg = {1, 26}, .conversion = kFrequency},
    {.id = kKwhFwd, .reg = {8, 180}, .conversion = kSigned},
    {.id = kKvarhFwdLead, .reg = {8, 184}, .conversion = kSigned},
    {.id = kKvarhFwdLag, .reg = {8, 188}, .conversion = kSigned},
    {.id = kKwhRev, .reg = {8, 192}, .conversion = kSigned},
    {.id = kKvarhRevLead, .reg = {8, 196}, .conversion = kSigned},
    {.id = kKvarhRevLag, .reg = {8, 200}, .conversion = kSigned},
};

// Min and Max of the nine measured quantities: the value registers of the forward min/max
// records (8/71 + 3i), the power factor's and the frequency's.
inline constexpr NumericField kMeterMinMaxFields[] = {
    {.id = kVldMin, .reg = {8, 71}, .conversion = kTenths},
    {.id = kVldMax, .reg = {8, 74}, .conversion = kTenths},
    {.id = kVsMin, .reg = {8, 83}, .conversion = kTenths},
    {.id = kVsMax, .reg = {8, 86}, .conversion = kTenths},
    {.id = kVcompMin, .reg = {8, 95}, .conversion = kTenths},
    {.id = kVcompMax, .reg = {8, 98}, .conversion = kTenths},
    {.id = kIldMin, .reg = {8, 107}, .conversion = kSigned},
    {.id = kIldMax, .reg = {8, 110}, .conversion = kSigned},
    {.id = kPfMin, .reg = {8, 119}, .conversion = kSigned},
    {.id = kPfMax, .reg = {8, 122}, .conversion = kSigned},
    {.id = kKvaMin, .reg = {8, 125}, .conversion = kSigned},
    {.id = kKvaMax, .reg = {8, 128}, .conversion = kSigned},
    {.id = kKwMin, .reg = {8, 137}, .conversion = kSigned},
    {.id = kKwMax, .reg = {8, 140}, .conversion = kSigned},
    {.id = kKvarMin, .reg = {8, 149}, .conversion = kSigned},
    {.id = kKvarMax, .reg = {8, 152}, .conversion = kSigned},
    {.id = kFreqMin, .reg = {8, 161}, .conversion = kTenths},
    {.id = kFreqMax, .reg = {8, 164}, .conversion = kTenths},
};

inline constexpr NumericField kDemandFields[] = {
    // Forward.
    {.id = kFwdIld, .reg = {3, 0}, .conversion = kSigned},
    {.id = kFwdKva, .reg = {3, 1}, .conversion = kSigned},
    {.id = kFwdKvar, .reg = {3, 2}, .conversion = kSigned},
    {.id = kFwdKw, .reg = {3, 3}, .conversion = kSigned},
    {.id = kFwdVld, .reg = {3, 4}, .conversion = kTenths},
    {.id = kFwdVcomp, .reg = {3, 5}, .conversion = kTenths},
    {.id = kFwdVs, .reg = {8, 57}, .conversion = kTenths},
    {.id = kFwdPfKvaMax, .reg = {3, 12}, .conversion = kSigned},
    {.id = kFwdPfKvaMin, .reg = {3, 13}, .conversion = kSigned},
    {.id = kFwdIldMin, .reg = {3, 16}, .conversion = kSigned},
    {.id = kFwdIldMax, .reg = {3, 17}, .conversion = kSigned},
    {.id = kFwdKvaMin, .reg = {3, 18}, .conversion = kSigned},
    {.id = kFwdKvaMax, .reg = {3, 19}, .conversion = kSigned},
    {.id = kFwdKvarMin, .reg = {3, 20}, .conversion = kSigned},
    {.id = kFwdKvarMax, .reg = {3, 21}, .conversion = kSigned},
    {.id = kFwdKwMin, .reg = {3, 22}, .conversion = kSigned},
    {.id = kFwdKwMax, .reg = {3, 23}, .conversion = kSigned},
    {.id = kFwdVldMin, .reg = {3, 24}, .conversion = kTenths},
    {.id = kFwdVldMax, .reg = {3, 25}, .conversion = kTenths},
    {.id = kFwdVcompMin, .reg = {3, 26}, .conversion = kTenths},
    {.id = kFwdVcompMax, .reg = {3, 27}, .conversion = kTenths},
    {.id = kFwdVsMin, .reg = {8, 58}, .conversion = kTenths},
    {.id = kFwdVsMax, .reg = {8, 61}, .conversion = kTenths},
    // Reverse.
    {.id = kRevIld, .reg = {3, 6}, .conversion = kSigned},
    {.id = kRevKva, .reg = {3, 7}, .conversion = kSigned},
    {.id = kRevKvar, .reg = {3, 8}, .conversion = kSigned},
    {.id = kRevKw, .reg = {3, 9}, .conversion = kSigned},
    {.id = kRevVld, .reg = {3, 10}, .conversion = kTenths},
    {.id = kRevVcomp, .reg = {3, 11}, .conversion = kTenths},
    {.id = kRevVs, .reg = {8, 64}, .conversion = kTenths},
    {.id = kRevPfKvaMax, .reg = {3, 14}, .conversion = kSigned},
    {.id = kRevPfKvaMin, .reg = {3, 15}, .conversion = kSigned},
    {.id = kRevIldMin, .reg = {3, 28}, .conversion = kSigned},
    {.id = kRevIldMax, .reg = {3, 29}, .conversion = kSigned},
    {.id = kRevKvaMin, .reg = {3, 30}, .conversion = kSigned},
    {.id = kRevKvaMax, .reg = {3, 31}, .conversion = kSigned},
    {.id = kRevKvarMin, .reg = {3, 32}, .conversion = kSigned},
    {.id = kRevKvarMax, .reg = {3, 33}, .conversion = kSigned},
    {.id = kRevKwMin, .reg = {3, 34}, .conversion = kSigned},
    {.id = kRevKwMax, .reg = {3, 35}, .conversion = kSigned},
    {.id = kRevVldMin, .reg = {3, 36}, .conversion = kTenths},
    {.id = kRevVldMax, .reg = {3, 37}, .conversion = kTenths},
    {.id = kRevVcompMin, .reg = {3, 38}, .conversion = kTenths},
    {.id = kRevVcompMax, .reg = {3, 39}, .conversion = kTenths},
    {.id = kRevVsMin, .reg = {8, 65}, .conversion = kTenths},
    {.id = kRevVsMax, .reg = {8, 68}, .conversion = kTenths},
};

// The power factor rows have no Min and Max figures: these fields stay empty.
inline constexpr int kEmptyDemandFields[] = {kFwdPfKvaMaxMin, kFwdPfKvaMaxMax, kFwdPfKvaMinMin,
                                             kFwdPfKvaMinMax, kRevPfKvaMaxMin, kRevPfKvaMaxMax,
                                             kRevPfKvaMinMin, kRevPfKvaMinMax};

// The counters shown as numbers; the reset date and time are shown in the panel's date order.
inline constexpr NumericField kCounterFields[] = {
    {.id = kTotalOps, .reg = {9, 3}, .conversion = kCounter},
    {.id = kElapsedOps, .reg = {9, 5}, .conversion = kCounter},
    {.id = kOps24Hr, .reg = {9, 9}, .conversion = kSigned},
    {.id = kOps30Day, .reg = {9, 12}, .conversion = kSigned},
    {.id = kOpsMtd, .reg = {9, 15}, .conversion = kSigned},
    {.id = kOpsLastMonth, .reg = {9, 18}, .conversion = kSigned},
    {.id = kOpsYtd, .reg = {9, 19}, .conversion = kCounter},
    {.id = kOpsLastYear, .reg = {9, 23}, .conversion = kCounter},
    {.id = kTapPosition, .reg = {9, 1}, .conversion = kSigned},
    {.id = kTapMax, .reg = {8, 170}, .conversion = kSigned},
    {.id = kTapMin, .reg = {8, 167}, .conversion = kSigned},
};

inline constexpr Reg kTotalOpsLow{9, 3};  // high half in 9/4
inline constexpr Reg kResetDateReg{9, 7};
inline constexpr Reg kResetTimeReg{9, 8};
inline constexpr Reg kTapControlReg{10, 51};
inline constexpr Reg kTapPositionReg{9, 1};
// The tap position's min and max records, read apart from the counters table.
inline constexpr RegisterBlock kTapRecordsBlock{8, 167, 6};

// --- the files --------------------------------------------------------------------------------

inline constexpr int kMinMaxRecords = 32;
inline constexpr uint8_t kFirstMinMaxRegister = 71;  // record i at 8/71 + 3i: value, date, time

struct MinMaxRecord {
    const char* name;
    int divisor;  // the export shows the signed value divided by it
};
inline constexpr MinMaxRecord kMinMaxRecordNames[kMinMaxRecords] = {
    {"VLOAD_FWD_MIN", 10},   {"VLOAD_FWD_MAX", 10},   {"VLOAD_REV_MIN", 10},
    {"VLOAD_REV_MAX", 10},   {"VSOURCE_FWD_MIN", 10}, {"VSOURCE_FWD_MAX", 10},
    {"VSOURCE_REV_MIN", 10}, {"VSOURCE_REV_MAX", 10}, {"VCOMP_FWD_MIN", 10},
    {"VCOMP_FWD_MAX", 10},   {"VCOMP_REV_MIN", 10},   {"VCOMP_REV_MAX", 10},
    {"ILOAD_FWD_MIN", 1},    {"ILOAD_FWD_MAX", 1},    {"ILOAD_REV_MIN", 1},
    {"ILOAD_REV_MAX", 1},    {"PF_MIN", 100},         {"PF_MAX", 100},
    {"KVA_FWD_MIN", 1},      {"KVA_FWD_MAX", 1},      {"KVA_REV_MIN", 1},
    {"KVA_REV_MAX", 1},      {"KW_FWD_MIN", 1},       {"KW_FWD_MAX", 1},
    {"KW_REV_MIN", 1},       {"KW_REV_MAX", 1},       {"KVAR_FWD_MIN", 1},
    {"KVAR_FWD_MAX", 1},     {"KVAR_REV_MIN", 1},     {"KVAR_REV_MAX", 1},
    {"FREQUENCY_MIN", 10},   {"FREQUENCY_MAX", 10},
};

inline constexpr const char* kCounterLabels[] = {
    "Total Ops:", "Reset Date:",    "Reset Time:",  "Elapsed Ops:",
    "24 Hr Ops:", "30 Day Ops:",    "MTD Ops:",     "Last Month Ops:",
    "YTD Ops:",   "Last Year Ops:", "Tap Control:", "Tap position:",
};

// The tap control mode of 10/51; any other value has no text.
inline constexpr const char* kTapControlModes[] = {"OFF", "MANUAL", "AUTO-LOC", "AUTO-REM"};

// Harmonic spectra of 34 values each: THD, harmonic RMS, DC RMS, then harmonics 1..31.
inline constexpr int kHarmonicsValues = 34;
struct HarmonicsArray {
    uint8_t firstPair;  // THD and harmonic RMS
    uint8_t firstRms;   // DC RMS, then harmonics 1..31
};
inline constexpr HarmonicsArray kLoadVoltsHarmonics{80, 86};     // array A
inline constexpr HarmonicsArray kLoadCurrentHarmonics{82, 121};  // array B
inline constexpr HarmonicsArray kSourceVoltsHarmonics{84, 161};  // array C
inline constexpr uint8_t kHarmonicsBank = 11;

// The 34 names, "THD", "HARM_RMS", "DC_RMS", "1ST_RMS" ... "31ST_RMS".
const std::array<std::string, kHarmonicsValues>& HarmonicsNames();
// Tenths word k of a spectrum.
uint16_t HarmonicsWord(const HarmonicsArray& array, int k);

}  // namespace metering
