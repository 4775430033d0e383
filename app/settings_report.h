#pragma once
// The settings report ("Create Report"): every setting of the four settings pages, section by
// section, one "label,text" line each. An edit's line carries the text the page holds for the
// control; a list's line carries the entry of the page's own list at the index the item's rule
// derives from the register behind it; a few lines are worked out from register bits or from
// the panel's version.
#include <cstdint>
#include <functional>
#include <string>

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

// The report's text with "\n" line ends (written as CR LF); its first line is `fullPath`.
std::string FormatSettingsReport(const std::string& fullPath, const ReportForms& forms,
                                 const VersionWordSource& versionWord);
