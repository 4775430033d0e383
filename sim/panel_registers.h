#pragma once
// The simulated panel's memory: 16 banks of 256 sixteen-bit registers, plus the event and
// interval logs that the panel hands out one record per read.
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace sim {

inline constexpr unsigned kBankCount = 16;
inline constexpr unsigned kRegistersPerBank = 256;

// Registers with a behaviour of their own (bank, register).
inline constexpr unsigned kLogBank = 11;
inline constexpr unsigned kIntervalCountRegister = 0;  // 11/0: interval records held
inline constexpr unsigned kEventCountRegister = 4;     // 11/4: event records held
inline constexpr unsigned kEventStartRegister = 5;     // 11/5: written 0xC001 to rewind
inline constexpr unsigned kEventRecordRegister = 7;    // 11/7..18: the current event record
inline constexpr unsigned kIntervalClearRegister = 40;
inline constexpr unsigned kIntervalStartRegister = 41;   // 11/41: written 0xC001 to rewind
inline constexpr unsigned kIntervalRecordRegister = 42;  // 11/42..73: the current interval record
inline constexpr unsigned kLinkRegister = 239;           // 11/239: non-zero on a healthy panel
inline constexpr std::uint16_t kLogStartCommand = 0xC001;

inline constexpr unsigned kSettingsBank = 10;
inline constexpr unsigned kVersionRegister = 67;  // 10/67: low 10 bits = version x 100
inline constexpr unsigned kClockTimeRegister = 16;
inline constexpr unsigned kClockDateRegister = 17;
inline constexpr unsigned kDateOrderRegister = 11;

using EventRecord = std::array<std::uint16_t, 12>;     // registers 11/7..18
using IntervalRecord = std::array<std::uint16_t, 32>;  // registers 11/42..73

std::uint16_t PackTime(unsigned hour, unsigned minute, unsigned second);
std::uint16_t PackDate(unsigned year, unsigned month, unsigned day);

class PanelRegisters {
  public:
    PanelRegisters();  // every register 0, both logs empty

    // A believable regulator panel: version 4.10, clock at a fixed moment, metering,
    // counters, min/max records, alerts and a few log records.
    void LoadDefaults();

    // Registers past 255 (a start near the end of a bank plus a count) read 0 and ignore writes.
    std::uint16_t Get(unsigned bank, unsigned reg) const;
    void Set(unsigned bank, unsigned reg, std::uint16_t value);

    // Keeps the sub-version bits 10..15 of the version word.
    void SetSoftwareVersion(unsigned versionTimes100);

    // What the panel does when a request arrives. `Write` also runs the log start commands;
    // `PrepareRead` loads the next log record when a read starts at a record register.
    void Write(unsigned bank, unsigned start, const std::vector<std::uint16_t>& values);
    void PrepareRead(unsigned bank, unsigned start);
    // Returns true when the clear named a log (bank 11, start 4 or 40).
    bool Clear(unsigned bank, unsigned start);
    // Bank 8: min/max records restart from the present metering; bank 3: demand extremes
    // restart from the present demand. Other banks: nothing happens.
    void ResetRecords(unsigned bank);

    void AddEventRecord(const EventRecord& record);
    void AddIntervalRecord(const IntervalRecord& record);
    std::size_t EventCount() const { return events_.size(); }
    std::size_t IntervalCount() const { return intervals_.size(); }

  private:
    void UpdateLogCounts();

    std::array<std::array<std::uint16_t, kRegistersPerBank>, kBankCount> regs_{};
    std::vector<EventRecord> events_;
    std::vector<IntervalRecord> intervals_;
    std::size_t nextEvent_ = 0;
    std::size_t nextInterval_ = 0;
};

void LoadLogsQuickKeyDefaults(PanelRegisters& r);  // sim/defaults_logs.cpp
// Contents of the Diag, Pwds and Alerts page's registers (sim/defaults_diag.cpp).
void LoadDiagPwdsAlertsDefaults(PanelRegisters& registers);
// The registers of the Regulator and Comm page (sim/defaults_regulator_comm.cpp).
void LoadRegulatorCommDefaults(PanelRegisters& registers);

// The moment the panel clock shows after LoadDefaults: 14 March 2026, 10:42:17.
struct ClockMoment {
    unsigned year, month, day, hour, minute, second;
};
inline constexpr ClockMoment kDefaultClock{2026, 3, 14, 10, 42, 17};

// How the defaults fill registers: a value as the register holds it (its low 16 bits), a run of
// registers from `start`, and text two characters per register, the first in the high byte (an
// odd last character alone in the high byte).
constexpr std::uint16_t Word(long value) {
    return static_cast<std::uint16_t>(value & 0xFFFF);
}
void SetAll(PanelRegisters& r, unsigned bank, unsigned start, std::initializer_list<long> values);
void SetText(PanelRegisters& r, unsigned bank, unsigned start, std::string_view text);

}  // namespace sim
