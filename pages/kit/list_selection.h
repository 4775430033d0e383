#pragma once
// How a drop-down list selects an item by text (the select-string rule) and how a page shows a
// register value in a list and takes the user's pick back. The register value is the position
// of a text in the page's value texts, which need not be the order of the items in the box.
#include <string>
#include <vector>

#include "pages/kit/form_model.h"

// The select-string rule: selects the first item that begins with `prefix`, ignoring case,
// searching from the item after `after` and wrapping around (after = -1 searches from the
// first item). False, and the selection unchanged, when no item does.
bool SelectByPrefix(ControlState& combo, const std::string& prefix, int after = -1);

// Pages show values by the rule searching from the second item (after item 0). A value outside
// the texts, or whose text is "" (no item), selects nothing; false then.
bool ShowListValue(ControlState& combo, const std::vector<std::string>& texts, long value);

// The position of `text` among the value texts (exact comparison), -1 when it is not there.
int ListPosition(const std::vector<std::string>& texts, const std::string& text);

// Selects the item whose text is exactly `text`, or none when no item is; its index or -1.
int SelectItem(ControlState& combo, const std::string& text);
