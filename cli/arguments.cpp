#include "cli/arguments.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>

namespace cli {
namespace {

// `accept` returns the decimal form to store, or nullopt to refuse the text.
CLI::Option* Accepting(CLI::Option* option, const std::string& shown,
                       std::function<std::optional<long>(const std::string&)> accept) {
    auto check = [=](std::string& text) -> std::string {
        std::optional<long> value = accept(text);
        if (!value) {
            return "takes " + shown + ", not '" + text + "'";
        }
        text = std::to_string(*value);
        return {};
    };
    return option->transform(CLI::Validator(check, ""))->type_name(shown);
}

}  // namespace

std::optional<long> ParseNumber(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
        // from_chars would take "0x-1" as -1.
        if (!std::isxdigit(static_cast<unsigned char>(text[0]))) {
            return std::nullopt;
        }
    }
    long value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

CLI::Option* NumberIn(CLI::Option* option, long low, long high) {
    return Accepting(option, std::to_string(low) + ".." + std::to_string(high),
                     [=](const std::string& text) -> std::optional<long> {
                         std::optional<long> value = ParseNumber(text);
                         if (value && *value >= low && *value <= high) {
                             return value;
                         }
                         return std::nullopt;
                     });
}

CLI::Option* NumberOneOf(CLI::Option* option, const std::vector<long>& allowed) {
    std::string shown;
    for (long a : allowed) {
        shown += (shown.empty() ? "" : "|") + std::to_string(a);
    }
    return Accepting(option, shown, [=](const std::string& text) -> std::optional<long> {
        std::optional<long> value = ParseNumber(text);
        if (value && std::find(allowed.begin(), allowed.end(), *value) != allowed.end()) {
            return value;
        }
        return std::nullopt;
    });
}

CLI::Option* WordOneOf(CLI::Option* option, const std::vector<std::pair<std::string, int>>& codes) {
    std::string shown;
    for (const auto& [word, code] : codes) {
        shown += (shown.empty() ? "" : "|") + word;
    }
    return Accepting(option, shown, [=](const std::string& text) -> std::optional<long> {
        for (const auto& [word, code] : codes) {
            if (text == word) {
                return code;
            }
        }
        return std::nullopt;
    });
}

}  // namespace cli
