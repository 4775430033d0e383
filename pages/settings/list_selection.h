#pragma once
// How a page shows a register value in a drop-down list and takes the user's pick back. The
// register value is the position of a text in the page's value list, which need not be the
// order of the items in the box.
#include <string>
#include <vector>

#include "app/form_model.h"

// Selects the first item that begins with `prefix`, ignoring case, searching from the second
// item and wrapping around to the first (a drop-down list's select-by-prefix). False, and the
// selection unchanged, when no item does.
bool SelectByPrefix(ControlState& combo, const std::string& prefix);

// Shows `value` through its value list; a value outside the list changes nothing.
bool ShowListValue(ControlState& combo, const std::vector<std::string>& values, long value);

// The position of `text` in the value list (exact comparison), -1 when it is not there.
int ListPosition(const std::vector<std::string>& values, const std::string& text);
