// The Logs and Quick Key page's registers on the simulated panel: a log set-up that records
// most events and 90-minute intervals with demand min/max, and a quick menu of six screens.
#include "sim/panel_registers.h"

namespace sim {

void LoadLogsQuickKeyDefaults(PanelRegisters& r) {
    // Log event, tap, VLC, VRC, neutral, alert, configuration and power-cycle events, and
    // interval logging; NN raise/lower, power flow and min/max reset are not logged.
    r.Set(kLogBank, 1, 0x159F);
    r.Set(kLogBank, 3, 90);        // log interval in minutes
    r.Set(kSettingsBank, 216, 1);  // interval min/max: demand values
    // Tap, load voltage, source voltage, load current, power factor, KZ-3A VRC; then no screen.
    const std::uint16_t quick[] = {102, 0, 3, 9, 12, 125};
    for (unsigned k = 0; k < 15; ++k) {
        r.Set(kSettingsBank, 161 + k, k < std::size(quick) ? quick[k] : 0xFFFF);
    }
}

}  // namespace sim
