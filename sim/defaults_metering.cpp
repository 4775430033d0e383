#include "sim/panel_defaults.h"

#include <array>
#include <cstdint>

namespace sim {
namespace {

// The present metering the simulated line swings around. Quantities that move together
// (the load current, kVA and kW; the load and compensated voltage) share a phase.
struct Present {
    unsigned reg;  // bank 1
    int value;
    int swing;  // at most this far either side
    unsigned phase;
};
constexpr Present kPresent[] = {
    {2, 1203, 4, 0},    // load voltage 120.3 V
    {4, 1187, 3, 5},    // source voltage 118.7 V
    {14, 1200, 3, 0},   // compensated voltage
    {1, 312, 6, 3},     // load current
    {8, 2250, 30, 3},   // kVA
    {10, 2205, 30, 3},  // kW
    {9, -448, 8, 8},    // kVAR, leading
    {11, 98, 1, 8},     // power factor, hundredths
    {26, 600, 1, 4},    // frequency 60.0 Hz
};

// Min/max records (value register 8/71 + 3i) whose defaults the generic spread gets wrong.
void SetRecordValue(PanelRegisters& r, unsigned record, int value) {
    r.Set(8, 71 + 3 * record, Word(value));
}

}  // namespace

void LoadMeteringDefaults(PanelRegisters& r) {
    for (const Present& p : kPresent) {
        r.Set(1, p.reg, Word(p.value));
    }
    SetRecordValue(r, 16, 91);    // PF_MIN 0.91
    SetRecordValue(r, 17, 99);    // PF_MAX 0.99
    SetRecordValue(r, 26, -471);  // KVAR_FWD_MIN
    SetRecordValue(r, 27, -402);  // KVAR_FWD_MAX
    SetRecordValue(r, 30, 598);   // FREQUENCY_MIN 59.8 Hz
    SetRecordValue(r, 31, 602);   // FREQUENCY_MAX 60.2 Hz
    // Energy: forward kWh, leading and lagging kVARh, then the little that flowed in reverse.
    const int energy[] = {18432, 2011, 5210, 12, 7, 3};
    for (unsigned i = 0; i < std::size(energy); ++i) {
        r.Set(8, 180 + 4 * i, Word(energy[i]));
    }
    // Demand: load current, kVA, kVAR, kW, load and compensated voltage (forward).
    const int demand[] = {298, 2150, -430, 2105, 1201, 1199};
    for (unsigned i = 0; i < std::size(demand); ++i) {
        r.Set(3, i, Word(demand[i]));
    }
    r.Set(3, 20, Word(-470));  // forward kVAR demand min, max
    r.Set(3, 21, Word(-380));
    r.Set(10, 51, 2);  // tap control AUTO-LOC
}

void MoveMetering(PanelRegisters& r, unsigned step) {
    // A slow, repeating wander; each group of quantities starts at its own point of it.
    static constexpr std::array<int, 12> kWander = {0, 1, 2, 3, 2, 1, 0, -1, -2, -3, -2, -1};
    for (const Present& p : kPresent) {
        const int offset = kWander[(step + p.phase) % kWander.size()] * p.swing / 3;
        r.Set(1, p.reg, Word(p.value + offset));
    }
}

}  // namespace sim
