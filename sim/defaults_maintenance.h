#pragma once
// The simulated panel's maintenance records: its four maintenance settings (10/209..212) and the
// wear of its tap-changer contacts (10/219..230), spread over every grade.
namespace sim {

class PanelRegisters;

void LoadMaintenanceDefaults(PanelRegisters& r);

}  // namespace sim
