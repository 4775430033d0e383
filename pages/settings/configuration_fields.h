#pragma once
// The Configuration page's numeric edits and the texts of its lists, as data (see
// pages/kit/fields.h). The lists themselves are built by the page, which owns their rules.
#include "pages/kit/fields.h"
#include "resources/ids/configuration.h"

// "<CONFIGURE>" edits, in the order their ranges are checked.
inline constexpr NumericField kConfigurationFields[] = {
    {.id = ids::config::kU2PtPrimary, .reg = {10, 5}, .range = Range{1500, 65000, 7200}},
    {.id = ids::config::kU2PtSecondary, .reg = {10, 6}, .range = Range{100, 150, 120}},
    {.id = ids::config::kP2PtPrimary, .reg = {10, 7}, .range = Range{1500, 65000, 7200}},
    {.id = ids::config::kP2PtSecondary, .reg = {10, 8}, .range = Range{100, 150, 120}},
    {.id = ids::config::kCtPrimary, .reg = {2, 2}, .range = Range{50, 7200, 200}},
    // A register holds at most 65535, so the CT secondary accepts no more than that.
    {.id = ids::config::kCtSecondary,
     .reg = {10, 9},
     .conversion = kThousandthsText,
     .range = Range{100, 65535, 200}},
    {.id = ids::config::kFullLoadCurrent, .reg = {10, 122}, .range = Range{50, 7200, 200}},
    {.id = ids::config::kNeutralOverrun,
     .reg = {10, 190},
     .conversion = kTenthsText,
     .range = Range{0, 30, 20}},
};

// "<ADV CONFIGURE>" edits, in the order they are converted; none has a range.
inline constexpr NumericField kAdvancedConfigurationFields[] = {
    {.id = ids::config::kCurrentShift, .reg = {10, 4}},
    {.id = ids::config::kLoadCurrentMax, .reg = {10, 121}},
    {.id = ids::config::kPtThreshold, .reg = {10, 10}},
    {.id = ids::config::kDemandTime, .reg = {2, 1}, .conversion = kTimesTenText},
    {.id = ids::config::kDemandSubperiods, .reg = {10, 13}},
    {.id = ids::config::kMinMaxTimeout, .reg = {10, 62}},
    {.id = ids::config::kScreenTimeout, .reg = {10, 63}},
    {.id = ids::config::kQuickTimeout, .reg = {10, 177}},
    {.id = ids::config::kQuickDisplayTime, .reg = {10, 176}},
};
