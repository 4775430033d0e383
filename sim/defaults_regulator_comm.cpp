// What the simulated panel holds for the Regulator and Comm page: set points around 120 V, a
// forward X compensation below zero, local VRC on, VLC limits, DNP on the data port.
#include "sim/panel_registers.h"

namespace sim {

void LoadRegulatorCommDefaults(PanelRegisters& r) {
    // Reverse: bandwidth (8), X and R compensation (9, 10), set point (12), delay (13).
    SetAll(r, 2, 8, {25, 10, 20});
    SetAll(r, 2, 12, {1205, 45});
    // Forward: bandwidth (20), X and R compensation (21, 22), set point (24), delay (25).
    SetAll(r, 2, 20, {20, -50, 30});
    SetAll(r, 2, 24, {1200, 30});
    // VLC on (26, 2 = "ON") with its limits; VRC mode LOCAL, local percent and three stages.
    SetAll(r, 2, 26, {2, 1260, 1140, 1, 50, 30, 50, 70});
    SetAll(r, 2, 34, {50, 75, 30, 60});  // automatic VRC current thresholds and percents
    r.Set(10, 41, 5);                    // as "Set Reg Cfg" sends it from "VRC Stat:" 5.0
    SetAll(r, 10, 14, {1, 40});          // remote VRC type KZ3A, its percent
    SetAll(r, 10, 154, {0, 1, 45});      // VRC inputs 1 and 2, alternate delay
    // Communication: regulator id, DNP3.0 at 9600 baud without parity, address 1, resync and
    // transmit-enable delay, DNP options, point set "DNPcfg", module version 2.10.
    r.Set(0, 4, 1);
    r.Set(2, 15, 1234);
    SetAll(r, 2, 43, {1, 5});
    SetAll(r, 2, 46, {10, 5});
    SetAll(r, 10, 127, {1, 1});
    r.Set(10, 139, 210);
    r.Set(10, 152, 0);  // DNP data-link confirm
    r.Set(10, 157, 1);  // module repeat enable
    r.Set(10, 159, 0);  // auto inhibit for remote raise/lower
    r.Set(10, 201, 8);
}

}  // namespace sim
