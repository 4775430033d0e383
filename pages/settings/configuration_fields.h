#pragma once
// The Configuration page's lists and numeric edits as data (see page_fields.h).
#include <vector>

#include "pages/settings/page_fields.h"

// Which Get shows a list.
enum ConfigurationGroup {
    kConfigurationGroup,   // "Get Config"
    kAdvancedGroup,        // " Get Adv Cfg"
    kModelDependentGroup,  // " Get Adv Cfg", by panel model
};

// Every list of the page, the configuration group first, each group in the order it is shown.
// "TapChngr:" follows the page's own rule; "Remote - Auto:" is stored only on the panels whose
// Get shows it.
const std::vector<ListField>& ConfigurationLists();

// The "<CONFIGURE>" edits in the order their ranges are checked, and the "<ADV CONFIGURE>"
// edits in the order they are converted.
const std::vector<NumericField>& ConfigurationFields();
const std::vector<NumericField>& AdvancedConfigurationFields();
