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

// The value field of a line "bank,register,value": the value in hexadecimal (blanks around it
// and a "0x" allowed), one a register holds. The bank and register are skipped, as the panel's
// own files may number them otherwise: the values go by position.
std::optional<int32_t> ValueLine(std::string_view line) {
    const std::size_t first = line.find(',');
    const std::size_t second = first == std::string_view::npos ? first : line.find(',', first + 1);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view field = line.substr(second + 1);
    const std::size_t begin = field.find_first_not_of(" \t");
    if (begin == std::string_view::npos) {
        return std::nullopt;
    }
    field = field.substr(begin, field.find_last_not_of(" \t") - begin + 1);
    if (field.size() > 2 && field[0] == '0' && (field[1] == 'x' || field[1] == 'X')) {
        field.remove_prefix(2);
    }
    unsigned value = 0;
    const char* end = field.data() + field.size();
    const auto [stop, error] = std::from_chars(field.data(), end, value, 16);
    if (field.empty() || error != std::errc() || stop != end || value > 0xFFFF) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

}  // namespace

std::optional<MaintenanceValues> ParseMaintenanceFile(std::string_view text) {
    const std::vector<std::string> lines = SplitLines(text);
    if (lines.size() <= kMaintenanceValueCount || lines[0] != kMaintenanceFileHeader) {
        return std::nullopt;
    }
    MaintenanceValues values{};
    for (int k = 0; k < kMaintenanceValueCount; ++k) {
        const auto value = ValueLine(lines[1 + k]);
        if (!value) {
            return std::nullopt;
        }
        values[k] = *value;
    }
    return values;
}
