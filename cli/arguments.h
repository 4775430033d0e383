#pragma once
// Checked arguments. Numbers are decimal, or 0x followed by hexadecimal digits; CLI11's own
// conversion would also take octal and binary forms.
#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cli {

std::optional<long> ParseNumber(std::string_view text);

// Each makes `option` accept only these values, hands them on in decimal for CLI11 to store, and
// shows them in --help ("0..15", "300|1200", "none|even|odd").
CLI::Option* NumberIn(CLI::Option* option, long low, long high);
CLI::Option* NumberOneOf(CLI::Option* option, const std::vector<long>& allowed);
CLI::Option* WordOneOf(CLI::Option* option, const std::vector<std::pair<std::string, int>>& codes);

}  // namespace cli
