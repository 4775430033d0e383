#pragma once
// The maintenance data file (.mn0), the one file that carries a regulator's contact-wear history
// from a panel being replaced into the new one: the header line, one line per register of the
// maintenance counters block (10/219..10/230), and the header again without a line end.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "protocol/register_block.h"

inline constexpr char kMaintenanceFileHeader[] = "//Maintenance Data";
inline constexpr int kMaintenanceValueCount = 12;
inline constexpr unsigned kMaintenanceFirstRegister = 219;
using MaintenanceValues = std::array<int32_t, kMaintenanceValueCount>;
// A maintenance file is some 200 bytes; anything far longer is not one.
inline constexpr std::size_t kMaintenanceFileMaxBytes = 4096;

// The general block writer: the header and a line end; then each of the first n blocks, a block
// of one register as "bank,register,value" in decimal and a longer block as one
// "bank,register,value" line per register with the value in lower-case hexadecimal; then the
// header again with no line end. Lines end in "\n"; the file writer stores them as CR LF.
std::string BlockFileText(std::string_view header, const RegisterBlock* blocks, int n);

// The twelve values of a maintenance file in file order, for 10/219..10/230, read by position:
// the header line, then twelve lines "bank,register,value" whose values are hexadecimal numbers
// a register holds (0..ffff; blanks around them allowed); the bank and register numbers are not
// compared and what follows the twelfth line (the closing header) is not needed. nullopt for
// anything less: a foreign or cut-off file never reaches the panel. Line ends may be LF or
// CR LF.
std::optional<MaintenanceValues> ParseMaintenanceFile(std::string_view text);
