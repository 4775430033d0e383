#pragma once
// Two sets of settings side by side, item by item as the settings report lists them, keeping
// only the items that differ: what the pages hold (the panel after Connect, or an opened file)
// or a configuration file, against another configuration file.
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "app/settings_report.h"
#include "pages/kit/export_file_stamp.h"
#include "pages/kit/text_file.h"
#include "pages/kit/user_prompts.h"

inline constexpr char kCompareCaption[] = "Compare With Config File";
inline constexpr char kNoDifferences[] = "No differences";
inline constexpr char kNothingToCompare[] =
    "Nothing to compare yet: Connect to a panel or open a configuration file first.";
// What a password's texts read when they differ and are not to be shown.
inline constexpr char kPasswordDiffers[] = "(differs)";
inline constexpr char kComparePanelName[] = "Panel";

// One setting that differs.
struct SettingsDifference {
    std::string section;
    std::string label;
    std::string a;
    std::string b;
    std::string reg;  // "bank/register"
    bool operator==(const SettingsDifference&) const = default;
};

struct SettingsComparison {
    std::string aName;  // "Panel", or the file the pages show
    std::string bName;  // the file compared with
    std::vector<SettingsDifference> rows;
};

// The items of `a` and `b` that differ, in the report's order. Both lists are the report's
// items (SettingsReportItems), so they pair up by position. A password's texts read
// "(differs)" unless `showPasswords`. The panel's clock is not a setting and is never compared.
std::vector<SettingsDifference> CompareSettings(const std::vector<SettingsItem>& a,
                                                const std::vector<SettingsItem>& b,
                                                bool showPasswords);

// The comparison as CSV with "\n" line ends: a header line naming the two sides, then one
// line per row (section, label, A, B, bank/register); a field with a comma or a quote is quoted.
std::string FormatComparison(const SettingsComparison& comparison);

// A configuration file's values (in file order) as the pages show them after "Open Config
// file", shown by pages of their own: nothing the window's pages, the value store or the
// process-wide flags hold changes, and nothing is sent to the panel. The pages tell the user
// through `prompts` as they would after an open.
std::vector<SettingsItem> ConfigurationFileItems(const std::vector<int32_t>& values,
                                                 UserPrompts& prompts);

// "Save…" of the comparison window: the CSV through the save dialog, then "File Created".
ExportOutcome SaveComparison(UserPrompts& prompts, const SettingsComparison& comparison,
                             const std::function<std::tm()>& clock = LocalTimeNow);
