#pragma once
// Believable register contents by page, loaded by PanelRegisters::LoadDefaults.
#include "sim/panel_registers.h"

namespace sim {

// Metering, demand, min/max records, counters and harmonics as a feeder regulator shows them
// while carrying load with a leading reactive power.
void LoadMeteringDefaults(PanelRegisters& registers);

// Moves the present metering a little, as a live line does between two reads; `step` counts
// the moves. Everything stays near the values LoadMeteringDefaults sets.
void MoveMetering(PanelRegisters& registers, unsigned step);

}  // namespace sim
