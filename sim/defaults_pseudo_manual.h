#pragma once
// What the simulated panel does for the Pseudo Manual page: its control mode (10/51) and
// auto-inhibit (2/42) hold what is written, and a tap command written to 4/3 moves the tap.
#include <cstdint>

namespace sim {

class PanelRegisters;

// Carries out a tap command written to register 4/3: 1 raises the tap position (9/1) one step,
// 65535 (-1) lowers it one, within -16..16; the command register then reads 0 again. Writes to
// any other register do nothing here.
void RunTapCommand(PanelRegisters& r, unsigned bank, unsigned reg, std::uint16_t value);

}  // namespace sim
