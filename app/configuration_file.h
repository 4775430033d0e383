#pragma once
// The configuration file (.kz0): seven sections of store registers, one "bank,register,value"
// line each, between section markers, and an end line without a line end.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/register_block.h"

struct ConfigSection {
    std::string_view marker;      // "//<CFG>", ...
    const RegisterBlock* blocks;  // the page table the section copies
    int blockCount;               // how many of its blocks
};

// The sections in file order; 152 registers in all.
std::span<const ConfigSection> ConfigurationFileSections();
inline constexpr char kConfigEndLine[] = "//VOLTSCOPE 5.0 CFG FILE - EOF";
inline constexpr std::size_t kConfigFileValues = 152;
// A configuration file is about 2 KB; anything far longer is not one.
inline constexpr std::size_t kConfigFileMaxBytes = 64 * 1024;

// The file's text from the value store, with "\n" line ends (written as CR LF).
std::string FormatConfigurationFile();

// The 152 values of a valid file, in file order; nullopt and `problem` (line number and what is
// wrong) otherwise. Valid: the seven markers in order, each followed by exactly its number of
// value lines "bank,register,value" (signed decimals), and the end line last. The values are
// taken by position: the bank and register numbers are not compared with anything.
std::optional<std::vector<int32_t>> ParseConfigurationFile(std::string_view text,
                                                           std::string* problem);

// Puts the values into the store registers of the sections, in file order.
void StoreConfigurationValues(const std::vector<int32_t>& values);
