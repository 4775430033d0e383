#include "app/configuration_file.h"

#include <charconv>
#include <cstdio>

#include "pages/kit/text_file.h"
#include "protocol/block_tables.h"
#include "protocol/value_store.h"

namespace {

constexpr ConfigSection kSections[] = {
    {"//<CFG>", kConfigurationBlockTable, kConfigurationBlockCount},
    {"//<ADV CFG>", kAdvancedConfigurationBlockTable, kAdvancedConfigurationBlockCount},
    {"//<REGULATOR>", kRegulatorBlockTable, kRegulatorBlockCount},
    {"//<COMM>", kCommunicationBlockTable, kCommunicationBlockCount},
    {"//<LOG SET UP>", kLogSetupBlockTable, kLogSetupBlockCount},
    {"//<DIAG>", kDiagnosticsBlockTable, kDiagnosticsFileBlocks},
    {"//<PWDS>", kPasswordsBlockTable, kPasswordsBlockCount},
};

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// What one register can hold, as the pages put it into the store: anything further out would
// reach the panel as unrelated low 16 bits.
constexpr int32_t kLowestValue = -32768;
constexpr int32_t kHighestValue = 65535;

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A signed decimal number (a leading '+' allowed) with nothing but blanks around it.
bool ParseNumber(std::string_view text, int32_t& value) {
    text = Trimmed(text);
    if (text.size() > 1 && text[0] == '+' && text[1] != '-') {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return false;
    }
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    return ec == std::errc() && end == text.data() + text.size();
}

// "bank,register,value": the value, or nullopt for any other line.
std::optional<int32_t> ValueOfLine(std::string_view line) {
    const std::size_t first = line.find(',');
    const std::size_t second = first == std::string_view::npos ? first : line.find(',', first + 1);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    int32_t bank = 0;
    int32_t reg = 0;
    int32_t value = 0;
    if (!ParseNumber(line.substr(0, first), bank) ||
        !ParseNumber(line.substr(first + 1, second - first - 1), reg) ||
        !ParseNumber(line.substr(second + 1), value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::span<const ConfigSection> ConfigurationFileSections() {
    return kSections;
}

std::string FormatConfigurationFile() {
    std::string text;
    for (const ConfigSection& section : kSections) {
        text += section.marker;
        text += '\n';
        for (int b = 0; b < section.blockCount; ++b) {
            const RegisterBlock& block = section.blocks[b];
            for (unsigned k = 0; k < block.count; ++k) {
                const unsigned reg = block.start + k;
                char line[48];
                std::snprintf(line, sizeof line, "%u,%u,%d\n", block.bank, reg,
                              StoreSlot(block.bank, reg));
                text += line;
            }
        }
    }
    text += kConfigEndLine;
    return text;
}

std::optional<std::vector<int32_t>> ParseConfigurationFile(std::string_view text,
                                                           std::string* problem) {
    auto fail = [&](std::size_t lineIndex, const std::string& what) {
        if (problem != nullptr) {
            *problem = "line " + std::to_string(lineIndex + 1) + ": " + what;
        }
        return std::nullopt;
    };
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    const std::vector<std::string> lines = SplitLines(text);
    std::vector<int32_t> values;
    std::size_t at = 0;
    for (const ConfigSection& section : kSections) {
        if (at >= lines.size() || lines[at] != section.marker) {
            return fail(at, "expected " + std::string(section.marker));
        }
        ++at;
        const int count = RegisterTotal(section.blocks, section.blockCount);
        for (int i = 0; i < count; ++i, ++at) {
            const std::optional<int32_t> value =
                at < lines.size() ? ValueOfLine(lines[at]) : std::nullopt;
            if (!value) {
                return fail(at, std::string(section.marker) + " needs " + std::to_string(count) +
                                    " lines of bank,register,value");
            }
            if (*value < kLowestValue || *value > kHighestValue) {
                return fail(at, std::to_string(*value) + " does not fit in a register (" +
                                    std::to_string(kLowestValue) + ".." +
                                    std::to_string(kHighestValue) + ")");
            }
            values.push_back(*value);
        }
    }
    if (at >= lines.size() || lines[at] != kConfigEndLine) {
        return fail(at, "expected the end line " + std::string(kConfigEndLine));
    }
    if (at + 1 != lines.size()) {
        return fail(at + 1, "text after the end line");
    }
    return values;
}

void StoreConfigurationValues(const std::vector<int32_t>& values) {
    std::size_t i = 0;
    for (const ConfigSection& section : kSections) {
        for (int b = 0; b < section.blockCount; ++b) {
            const RegisterBlock& block = section.blocks[b];
            for (unsigned k = 0; k < block.count && i < values.size(); ++k) {
                StoreSlot(block.bank, block.start + k) = values[i++];
                SetSlotHeld(block.bank, block.start + k, true);
            }
        }
    }
}
