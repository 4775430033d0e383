#pragma once
// Event and interval logs of any length for the simulated panel, as a regulator that has been
// in service for a while records them: times running up to the panel clock, every cause code
// and every tap position from -16 to +16 among the records, believable metering.
#include "sim/panel_registers.h"

namespace sim {

// Replaces both logs with `events` and `intervals` records (IDs from 1, oldest first, the
// newest just before the panel clock). Intervals are spaced by the log interval 11/3, or
// 15 minutes when it is 0.
void FillLogs(PanelRegisters& registers, unsigned events, unsigned intervals);

}  // namespace sim
