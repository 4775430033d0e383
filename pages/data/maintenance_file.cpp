#include "pages/data/maintenance_file.h"

#include <charconv>
#include <cstdio>
#include <vector>

#include "pages/kit/text_file.h"
#include "protocol/derived_values.h"

std::string BlockFileText(std::string_view header, const RegisterBlock* blocks, int n) {
    std::string text(header);
    text += '\n';
    char line[48];
    for (int b = 0; b < n && blocks[b].count != 0; ++b) {
        const RegisterBlock& block = blocks[b];
        const int32_t* values = block.values();
        for (unsigned k = 0; k < block.count; ++k) {
            const unsigned reg = block.start + k;
            if (block.count == 1) {
                std::snprintf(line, sizeof line, "%d,%d,%d\n", int{block.bank},
                              static_cast<int>(reg), values[k]);
            } else {
                std::snprintf(line, sizeof line, "%d,%d,%x\n", int{block.bank},
                              static_cast<int>(reg), static_cast<unsigned>(values[k]));
            }
            text += line;
        }
    }
    text += header;
    return text;
}

namespace {

// The whole of `field` as a number in `base`; nullopt for an empty field, a sign, a stray
// character or a number beyond `limit`.
std::optional<unsigned> WholeNumber(std::string_view field, int base, unsigned limit) {
    unsigned value = 0;
    const char* end = field.data() + field.size();
    if (field.empty() || field.size() > 8) {
        return std::nullopt;
    }
    auto [stop, error] = std::from_chars(field.data(), end, value, base);
    if (error != std::errc() || stop != end || value > limit) {
        return std::nullopt;
    }
    return value;
}

// "bank,register,hex" naming 10/`reg`: its value.
std::optional<int32_t> ValueLine(std::string_view line, unsigned reg) {
    const std::size_t first = line.find(',');
    const std::size_t second = first == std::string_view::npos ? first : line.find(',', first + 1);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    const auto bank = WholeNumber(line.substr(0, first), 10, 0xFF);
    const auto number = WholeNumber(line.substr(first + 1, second - first - 1), 10, 0xFF);
    const auto value = WholeNumber(line.substr(second + 1), 16, 0xFFFF);
    if (!bank || !number || !value || *bank != kMaintenanceBank || *number != reg) {
        return std::nullopt;
    }
    return static_cast<int32_t>(*value);
}

}  // namespace

std::optional<MaintenanceValues> ParseMaintenanceFile(std::string_view text) {
    const std::vector<std::string> lines = SplitLines(text);
    constexpr std::size_t kClosing = kMaintenanceValueCount + 1;
    if (lines.size() <= kClosing || lines[0] != kMaintenanceFileHeader ||
        lines[kClosing] != kMaintenanceFileHeader) {
        return std::nullopt;
    }
    for (std::size_t i = kClosing + 1; i < lines.size(); ++i) {
        if (!lines[i].empty()) {
            return std::nullopt;
        }
    }
    MaintenanceValues values{};
    for (int k = 0; k < kMaintenanceValueCount; ++k) {
        const auto value = ValueLine(lines[1 + k], kMaintenanceFirstRegister + k);
        if (!value) {
            return std::nullopt;
        }
        values[k] = *value;
    }
    return values;
}
