#include "pages/kit/list_selection.h"

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

bool SelectByPrefix(ControlState& combo, const std::string& prefix, int after) {
    const std::size_t count = combo.items.size();
    if (count == 0) {
        return false;
    }
    const std::size_t first = after < 0 ? 0 : (static_cast<std::size_t>(after) + 1) % count;
    for (std::size_t n = 0; n < count; ++n) {
        const std::size_t i = (first + n) % count;
        if (BeginsWithIgnoringCase(combo.items[i], prefix)) {
            combo.Select(static_cast<int>(i));
            return true;
        }
    }
    return false;
}

bool ShowListValue(ControlState& combo, const std::vector<std::string>& texts, long value) {
    const bool listed = value >= 0 && value < static_cast<long>(texts.size()) &&
                        !texts[static_cast<std::size_t>(value)].empty();
    if (listed && SelectByPrefix(combo, texts[static_cast<std::size_t>(value)], 0)) {
        return true;
    }
    // Never the item of an earlier value: it would be taken for this one.
    combo.Select(-1);
    return false;
}

int ListPosition(const std::vector<std::string>& texts, const std::string& text) {
    if (text.empty()) {
        return -1;
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i] == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int SelectItem(ControlState& combo, const std::string& text) {
    const int position = ListPosition(combo.items, text);
    combo.Select(position);
    return position;
}
