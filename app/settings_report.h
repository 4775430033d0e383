#pragma once
// The settings report ("Create Report"): every setting of the four settings pages, section by
// section, one "label,text" line each. An edit's line carries the text the page holds for the
// control; a list's line carries the entry of the page's own list at the index the item's rule
// derives from the register behind it; a few lines are worked out from register bits or from
// the panel's version.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "pages/kit/fields.h"
#include "pages/kit/form_model.h"

// The forms of the pages the report reads.
struct ReportForms {
    const FormModel& configuration;
    const FormModel& regulatorComm;
    const FormModel& logs;
    const FormModel& diag;
};

// The panel's version word (10/67), asked once for every line whose rule needs it.
using VersionWordSource = std::function<int32_t()>;

enum class SettingKind {
    kSetting,
    kPassword,  // a password's text
    kClock,     // the panel's clock as read: when it was read, not a setting
};

// One line of the report: a setting as the pages show it.
struct SettingsItem {
    std::string section;  // "<CONFIGURE>", ...
    // "Tap Chngr:"; the remote line's label says which control the panel has ("Remote BTN:").
    std::string label;
    std::string text;
    Reg reg;  // the register behind it (the first, for a value held in several)
    SettingKind kind = SettingKind::kSetting;
};

// Every line of the report, section by section, in the report's order.
std::vector<SettingsItem> SettingsReportItems(const ReportForms& forms,
                                              const VersionWordSource& versionWord);

// The report's text with "\n" line ends (written as CR LF); its first line is `fullPath`.
std::string FormatSettingsReport(const std::string& fullPath, const ReportForms& forms,
                                 const VersionWordSource& versionWord);
