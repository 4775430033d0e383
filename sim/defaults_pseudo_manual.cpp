#include "sim/defaults_pseudo_manual.h"

#include <algorithm>

#include "sim/panel_registers.h"

namespace sim {
namespace {

constexpr unsigned kTapBank = 4;
constexpr unsigned kTapCommandRegister = 3;
constexpr unsigned kTapPositionBank = 9;
constexpr unsigned kTapPositionRegister = 1;
constexpr int kLowestTap = -16;
constexpr int kHighestTap = 16;

}  // namespace

void RunTapCommand(PanelRegisters& r, unsigned bank, unsigned reg, std::uint16_t value) {
    if (bank != kTapBank || reg != kTapCommandRegister) {
        return;
    }
    const int step = value == 1 ? 1 : value == 0xFFFF ? -1 : 0;
    const int position = static_cast<std::int16_t>(r.Get(kTapPositionBank, kTapPositionRegister));
    r.Set(kTapPositionBank, kTapPositionRegister,
          static_cast<std::uint16_t>(std::clamp(position + step, kLowestTap, kHighestTap)));
    r.Set(kTapBank, kTapCommandRegister, 0);
}

}  // namespace sim
