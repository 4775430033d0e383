#include "sim/panel_registers.h"

#include <algorithm>

#include <string_view>
#include "sim/panel_defaults.h"

#include "sim/defaults_maintenance.h"
#include "sim/defaults_pseudo_manual.h"

namespace sim {
namespace {

constexpr unsigned kYear = kDefaultClock.year, kMonth = kDefaultClock.month,
                   kDay = kDefaultClock.day;
constexpr unsigned kHour = kDefaultClock.hour, kMinute = kDefaultClock.minute,
                   kSecond = kDefaultClock.second;

// A metering quantity and where its present value lives, for the min/max records of bank 8.
struct MinMaxSource {
    unsigned bank;
    unsigned reg;
};

// Min/max record i (value, date, time at 8/71 + 3i) follows the quantity of its pair: loads
// voltage, source voltage, compensated voltage, load current (forward and reverse min/max),
// power factor (min/max), kVA, kW, kVAR (forward and reverse) and frequency.
MinMaxSource SourceOfMinMaxRecord(unsigned record) {
    static constexpr MinMaxSource kFourEach[] = {{1, 2}, {1, 4}, {1, 14}, {1, 1}};
    static constexpr MinMaxSource kAfterPf[] = {{1, 8}, {1, 10}, {1, 9}};
    if (record < 16) {
        return kFourEach[record / 4];
    }
    if (record < 18) {
        return {1, 11};
    }
    if (record < 30) {
        return kAfterPf[(record - 18) / 4];
    }
    return {1, 26};
}

void LoadConfiguration(PanelRegisters& r) {
    SetAll(r, 10, 1, {0, 0, 0, 0});            // type, polarity, meter side, current shift
    SetAll(r, 10, 5, {7200, 120, 7200, 120});  // U2 and P2 PT ratios
    SetAll(r, 10, 9, {200, 800});              // CT secondary (thousandths), PT threshold
    SetAll(r, 10, 12, {0, 3, 0, 0});           // demand type, subperiods, VRC remote type
    SetAll(r, 10, 62, {15, 10});               // min/max and screen time-outs
    r.Set(10, 64, 0);                          // basis volts: 120
    SetText(r, 10, 30, "SUBSTN 12 ");
    SetText(r, 10, 35, "FEEDER 4A ");
    SetAll(r, 10, 120, {1, 800, 668});  // tap changer, I load max, I full load
    r.Set(10, 153, 0);
    r.Set(10, 160, 0);
    r.Set(10, 190, 5);
    SetAll(r, 10, 136, {0, 0});     // raise and lower limits: 10%
    SetAll(r, 10, 176, {3, 5, 7});  // quick display time, quick time-out, alert enables
    r.Set(10, 158, 1);
    r.Set(10, 202, 1);            // daylight saving on
    SetAll(r, 2, 1, {150, 400});  // demand time x 10, CT primary
    r.Set(2, 11, 0);
    r.Set(2, 14, 2);
    r.Set(2, 19, 0);
}

void LoadMetering(PanelRegisters& r) {
    SetAll(r, 1, 1, {312, 1203, 0, 1187});
    SetAll(r, 1, 8, {2250, 448, 2205, 98});
    r.Set(1, 14, 1200);
    r.Set(1, 26, 600);
    SetAll(r, 8, 180, {18432});
    r.Set(8, 184, 2011);
    r.Set(8, 188, 5210);
    r.Set(8, 192, 12);
    r.Set(8, 200, 3);
    // Demand, forward then the extremes; reverse power never flowed, so those stay 0.
    SetAll(r, 3, 0, {298, 2150, 430, 2105, 1201, 1199});
    SetAll(r, 3, 12, {97, 96});
    SetAll(r, 3, 16, {120, 415, 900, 2980, 150, 600, 880, 2920, 1178, 1224, 1181, 1219});
    r.Set(8, 57, 1185);
    r.Set(8, 58, 1160);
    r.Set(8, 61, 1210);
    // Min/max records: minima a little below, maxima a little above the present value,
    // stamped on the days before the clock's date.
    for (unsigned i = 0; i < 32; ++i) {
        MinMaxSource src = SourceOfMinMaxRecord(i);
        int present = r.Get(src.bank, src.reg);
        bool reverse = (i < 16 && i % 4 >= 2) || (i >= 18 && i < 30 && (i - 18) % 4 >= 2);
        int spread = present / 20 + 1;
        int value = reverse ? 0 : (i % 2 == 0 ? present - spread : present + spread);
        unsigned reg = 71 + 3 * i;
        r.Set(8, reg, Word(value));
        r.Set(8, reg + 1, reverse ? 0 : PackDate(kYear, kMonth, 1 + i % 13));
        r.Set(8, reg + 2, reverse ? 0 : PackTime((i * 7) % 24, (i * 13) % 60, (i * 3) % 30));
    }
    SetAll(r, 8, 167, {-5, PackDate(kYear, 2, 27), PackTime(6, 15, 2)});
    SetAll(r, 8, 170, {8, PackDate(kYear, 3, 9), PackTime(17, 48, 30)});
}

void LoadCounters(PanelRegisters& r) {
    r.Set(9, 1, 3);                     // tap position
    SetAll(r, 9, 3, {0xE240, 0x0001});  // total operations 123456 (low, high)
    SetAll(r, 9, 5, {2345, 0});         // elapsed operations
    SetAll(r, 9, 7, {PackDate(2025, 11, 2), PackTime(8, 0, 0)});
    r.Set(9, 9, 14);
    r.Set(9, 12, 402);
    r.Set(9, 15, 187);
    r.Set(9, 18, 415);
    SetAll(r, 9, 19, {2133, 0});
    SetAll(r, 9, 23, {4980, 0});
}

void LoadHarmonics(PanelRegisters& r) {
    // Harmonic spectra of load voltage, load current and source voltage: a falling spread.
    for (unsigned base : {86u, 121u, 161u}) {
        for (unsigned k = 0; k < 32; ++k) {
            r.Set(11, base + k, Word(k % 2 == 0 ? 300 / (k + 1) : 60 / (k + 1)));
        }
    }
    SetAll(r, 11, 80, {21, 18, 35, 30, 19, 16});  // THD figures
}

void LoadLogs(PanelRegisters& r) {
    const std::uint16_t today = PackDate(kYear, kMonth, kDay);
    for (std::uint16_t id = 1; id <= 5; ++id) {
        r.AddEventRecord({id, today, PackTime(6 + id, 5 * id, id), Word(id == 5 ? 25 : 1),
                          Word(1195 + id), 310, 98, 2200, 445, 2245, Word(id % 3), 1185});
    }
    for (std::uint16_t id = 1; id <= 3; ++id) {
        IntervalRecord rec{};
        rec[0] = id;
        rec[1] = today;
        rec[2] = PackTime(9 + id / 4u, static_cast<unsigned>((id * 15) % 60), 0);
        const int fields[] = {1200, 1210, 1190, 1201, 310,  330, 290, 300, 98,  97,
                              96,   2200, 2300, 2100, 2150, 445, 460, 430, 440, 2245,
                              2350, 2140, 2190, 3,    4,    2,   0,   12,  1185};
        for (std::size_t i = 0; i < std::size(fields); ++i) {
            rec[3 + i] = Word(fields[i]);
        }
        r.AddIntervalRecord(rec);
    }
}

}  // namespace

void SetAll(PanelRegisters& r, unsigned bank, unsigned start, std::initializer_list<long> values) {
    for (long v : values) {
        r.Set(bank, start++, Word(v));
    }
}

void SetText(PanelRegisters& r, unsigned bank, unsigned start, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const unsigned high = static_cast<unsigned char>(text[i]);
        const unsigned low = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        r.Set(bank, start + static_cast<unsigned>(i / 2), Word(high << 8 | low));
    }
}

std::uint16_t PackTime(unsigned hour, unsigned minute, unsigned second) {
    return static_cast<std::uint16_t>(((hour & 31) << 11) | ((minute & 63) << 5) | (second & 31));
}

std::uint16_t PackDate(unsigned year, unsigned month, unsigned day) {
    return static_cast<std::uint16_t>((((year - 1990) & 63) << 9) | ((month & 15) << 5) |
                                      (day & 31));
}

PanelRegisters::PanelRegisters() = default;

void PanelRegisters::LoadDefaults() {
    *this = PanelRegisters();
    LoadConfiguration(*this);
    LoadMetering(*this);
    LoadCounters(*this);
    LoadMeteringDefaults(*this);
    LoadHarmonics(*this);
    LoadLogs(*this);
    LoadLogsQuickKeyDefaults(*this);
    LoadDiagPwdsAlertsDefaults(*this);
    LoadRegulatorCommDefaults(*this);
    LoadMaintenanceDefaults(*this);
    Set(kSettingsBank, kVersionRegister, 410);
    Set(kSettingsBank, kClockTimeRegister, PackTime(kHour, kMinute, kSecond));
    Set(kSettingsBank, kClockDateRegister, PackDate(kYear, kMonth, kDay));
    Set(kSettingsBank, kDateOrderRegister, 0);
    // 1: the PC is linked through the front data port.
    Set(kLogBank, kLinkRegister, 1);
}

std::uint16_t PanelRegisters::Get(unsigned bank, unsigned reg) const {
    if (bank >= kBankCount || reg >= kRegistersPerBank) {
        return 0;
    }
    return regs_[bank][reg];
}

void PanelRegisters::Set(unsigned bank, unsigned reg, std::uint16_t value) {
    if (bank < kBankCount && reg < kRegistersPerBank) {
        regs_[bank][reg] = value;
    }
}

void PanelRegisters::SetSoftwareVersion(unsigned versionTimes100) {
    std::uint16_t old = Get(kSettingsBank, kVersionRegister);
    Set(kSettingsBank, kVersionRegister,
        static_cast<std::uint16_t>((old & 0xFC00) | (versionTimes100 & 0x03FF)));
}

void PanelRegisters::Write(unsigned bank, unsigned start,
                           const std::vector<std::uint16_t>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        unsigned reg = start + static_cast<unsigned>(i);
        Set(bank, reg, values[i]);
        RunTapCommand(*this, bank, reg, values[i]);
        if (bank == kLogBank && values[i] == kLogStartCommand) {
            if (reg == kEventStartRegister) {
                nextEvent_ = 0;
            } else if (reg == kIntervalStartRegister) {
                nextInterval_ = 0;
            }
        }
    }
    if (bank == kLogBank) {
        UpdateLogCounts();  // the counts are the panel's own; a write cannot change them
    }
}

void PanelRegisters::PrepareRead(unsigned bank, unsigned start) {
    if (bank != kLogBank) {
        return;
    }
    // Past the last record the panel shows an empty record (ID 0), which ends a download.
    if (start == kEventRecordRegister) {
        EventRecord rec{};
        if (nextEvent_ < events_.size()) {
            rec = events_[nextEvent_++];
        }
        std::copy(rec.begin(), rec.end(), regs_[kLogBank].begin() + kEventRecordRegister);
    } else if (start == kIntervalRecordRegister) {
        IntervalRecord rec{};
        if (nextInterval_ < intervals_.size()) {
            rec = intervals_[nextInterval_++];
        }
        std::copy(rec.begin(), rec.end(), regs_[kLogBank].begin() + kIntervalRecordRegister);
    }
}

bool PanelRegisters::Clear(unsigned bank, unsigned start) {
    if (bank != kLogBank) {
        return false;
    }
    if (start == kEventCountRegister) {
        events_.clear();
        nextEvent_ = 0;
    } else if (start == kIntervalClearRegister) {
        intervals_.clear();
        nextInterval_ = 0;
    } else {
        return false;
    }
    UpdateLogCounts();
    return true;
}

void PanelRegisters::ResetRecords(unsigned bank) {
    const std::uint16_t date = Get(kSettingsBank, kClockDateRegister);
    const std::uint16_t time = Get(kSettingsBank, kClockTimeRegister);
    if (bank == 8) {
        for (unsigned i = 0; i < 32; ++i) {
            MinMaxSource src = SourceOfMinMaxRecord(i);
            unsigned reg = 71 + 3 * i;
            SetAll(*this, 8, reg, {Get(src.bank, src.reg), date, time});
        }
        for (unsigned reg : {167u, 170u}) {
            SetAll(*this, 8, reg, {Get(9, 1), date, time});
        }
        Set(8, 58, Get(1, 4));
        Set(8, 61, Get(1, 4));
        Set(8, 65, 0);
        Set(8, 68, 0);
    } else if (bank == 3) {
        // Each demand figure (0..5 forward, 6..11 reverse) restarts its own min and max,
        // which follow in pairs from register 16 (forward) and 28 (reverse).
        for (unsigned dir = 0; dir < 2; ++dir) {
            for (unsigned q = 0; q < 6; ++q) {
                std::uint16_t present = Get(3, dir * 6 + q);
                Set(3, 16 + dir * 12 + 2 * q, present);
                Set(3, 17 + dir * 12 + 2 * q, present);
            }
        }
    }
}

void PanelRegisters::AddEventRecord(const EventRecord& record) {
    events_.push_back(record);
    UpdateLogCounts();
}

void PanelRegisters::AddIntervalRecord(const IntervalRecord& record) {
    intervals_.push_back(record);
    UpdateLogCounts();
}

void PanelRegisters::UpdateLogCounts() {
    auto clampWord = [](std::size_t n) {
        return static_cast<std::uint16_t>(std::min<std::size_t>(n, 0xFFFF));
    };
    regs_[kLogBank][kIntervalCountRegister] = clampWord(intervals_.size());
    regs_[kLogBank][kEventCountRegister] = clampWord(events_.size());
}

}  // namespace sim
