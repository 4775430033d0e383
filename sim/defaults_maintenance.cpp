#include "sim/defaults_maintenance.h"

#include "sim/panel_registers.h"

namespace sim {

void LoadMaintenanceDefaults(PanelRegisters& r) {
    // Records kept, mechanism type as the panel set it, no balance winding, 10 % range.
    const std::uint16_t settings[] = {1, 0, 0, 10};
    // The clear command (none pending), the panel's own overall figure, the moving contact and
    // stationary contacts 0..8: wear x 100, from a nearly new contact to one due for renewal.
    const std::uint16_t counters[] = {0,    8452, 8452, 1250, 3100, 5620,
                                      8100, 9240, 2980, 4410, 7710, 610};
    unsigned reg = 209;
    for (std::uint16_t v : settings) {
        r.Set(kSettingsBank, reg++, v);
    }
    reg = 219;
    for (std::uint16_t v : counters) {
        r.Set(kSettingsBank, reg++, v);
    }
}

}  // namespace sim
