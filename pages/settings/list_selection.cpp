#include "pages/settings/list_selection.h"

#include <cctype>

namespace {

bool BeginsWithIgnoringCase(const std::string& item, const std::string& prefix) {
    if (prefix.size() > item.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(item[i])) !=
            std::toupper(static_cast<unsigned char>(prefix[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool SelectByPrefix(ControlState& combo, const std::string& prefix) {
    const std::size_t count = combo.items.size();
    for (std::size_t n = 0; n < count; ++n) {
        const std::size_t i = (n + 1) % count;
        if (BeginsWithIgnoringCase(combo.items[i], prefix)) {
            combo.selected = static_cast<int>(i);
            combo.text = combo.items[i];
            return true;
        }
    }
    return false;
}

bool ShowListValue(ControlState& combo, const std::vector<std::string>& values, long value) {
    if (value < 0 || value >= static_cast<long>(values.size())) {
        return false;
    }
    return SelectByPrefix(combo, values[static_cast<std::size_t>(value)]);
}

int ListPosition(const std::vector<std::string>& values, const std::string& text) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i] == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}
