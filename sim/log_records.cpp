#include "sim/log_records.h"

#include <algorithm>
#include <cmath>

namespace sim {
namespace {

constexpr unsigned kCauseCodes = 47;  // 0..46
constexpr int kTapPositions = 33;     // -16..+16
constexpr long kMinutesPerDay = 24 * 60;

// Days since 1970-01-01 of a calendar date, and back (proleptic Gregorian calendar).
long DaysFromCivil(long y, long m, long d) {
    y -= m <= 2 ? 1 : 0;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

struct Civil {
    long year, month, day;
};

Civil CivilFromDays(long z) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const long day = doy - (153 * mp + 2) / 5 + 1;
    const long month = mp < 10 ? mp + 3 : mp - 9;
    return {yoe + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

// The panel clock in minutes since 1970; 14 March 2026 10:42 when the clock reads 0.
long ClockMinutes(const PanelRegisters& r) {
    const std::uint16_t date = r.Get(kSettingsBank, kClockDateRegister);
    const std::uint16_t time = r.Get(kSettingsBank, kClockTimeRegister);
    if (date == 0) {
        return DaysFromCivil(kDefaultClock.year, kDefaultClock.month, kDefaultClock.day) *
                   kMinutesPerDay +
               kDefaultClock.hour * 60 + kDefaultClock.minute;
    }
    const long day = DaysFromCivil(1990 + ((date >> 9) & 63), std::clamp((date >> 5) & 15, 1, 12),
                                   std::clamp(date & 31, 1, 31));
    return day * kMinutesPerDay + ((time >> 11) & 31) * 60 + ((time >> 5) & 63);
}

struct Stamp {
    std::uint16_t date, time;
};

Stamp StampAt(long minutes, unsigned second) {
    const long days = minutes / kMinutesPerDay;
    const long inDay = minutes - days * kMinutesPerDay;
    // The packed year starts at 1990: a log reaching further back starts there.
    const Civil c = CivilFromDays(std::max(days, DaysFromCivil(1990, 1, 1)));
    return {PackDate(static_cast<unsigned>(c.year), static_cast<unsigned>(c.month),
                     static_cast<unsigned>(c.day)),
            PackTime(static_cast<unsigned>(inDay / 60), static_cast<unsigned>(inDay % 60),
                     second % 30)};
}

// Each of 0..32 once in every 33 records: the tap positions -16..+16.
int TapOf(long k) {
    return static_cast<int>((k * 5 + 16) % kTapPositions) - 16;
}

// kVA from the load voltage and current (tenths): the feeder's primary kVA for this panel's
// PT and CT ratios.
long Kva(long volts, long amps) {
    return volts * amps / 165;
}

long Kvar(long kva, long kw) {
    return std::lround(std::sqrt(static_cast<double>(kva * kva - kw * kw)));
}

EventRecord MakeEvent(long k, long minutes) {
    const Stamp stamp = StampAt(minutes, static_cast<unsigned>(k * 7));
    const auto cause = static_cast<std::uint16_t>((k * 7 + 1) % kCauseCodes);
    const long volts = 1180 + (k * 13) % 45;
    const long amps = 250 + (k * 37) % 140;
    const long pf = 90 + (k * 3) % 10;
    const long kva = Kva(volts, amps);
    long kw = kva * pf / 100;
    if (cause == 16) {  // "Rv PwrFlow": the power flows back
        kw = -kw;
    }
    const long kvar = Kvar(kva, kw) * (k % 2 == 0 ? -1 : 1);  // leading on every other
    const long sourceVolts = volts - 10 + (k * 11) % 25;
    return {Word(k + 1), stamp.date, stamp.time, cause,     Word(volts),    Word(amps),
            Word(pf),    Word(kw),   Word(kvar), Word(kva), Word(TapOf(k)), Word(sourceVolts)};
}

IntervalRecord MakeInterval(long j, long minutes) {
    const Stamp stamp = StampAt(minutes, 0);
    const long vl = 1185 + (j * 17) % 35;
    const long vlMax = vl + 5 + j % 7, vlMin = vl - 4 - j % 5, vlDmd = vl - 1 + j % 3;
    const long il = 260 + (j * 29) % 120;
    const long ilMax = il + 20 + j % 11, ilMin = il - 15 - j % 9, ilDmd = il - 3 + j % 7;
    const long pf = 90 + (j * 3) % 10;
    const long pfAtMax = pf - 1, pfAtMin = std::min(pf + 1, 100L);
    const long kva = Kva(vl, il), kvaMax = Kva(vlMax, ilMax), kvaMin = Kva(vlMin, ilMin);
    const long kvaDmd = Kva(vlDmd, ilDmd);
    const long kw = kva * pf / 100;
    const long kvar = Kvar(kva, kw) * (j % 2 == 0 ? -1 : 1);
    const int tap = TapOf(j);
    const long ops = 123000 + j * 3;  // past 65535: the high half is 1
    const long values[] = {vl,
                           vlMax,
                           vlMin,
                           vlDmd,
                           il,
                           ilMax,
                           ilMin,
                           ilDmd,
                           pf,
                           pfAtMax,
                           pfAtMin,
                           kw,
                           kvaMax * pfAtMax / 100,
                           kvaMin * pfAtMin / 100,
                           kvaDmd * pf / 100,
                           kvar,
                           kvar + 40,
                           kvar - 35,
                           kvar + 5,
                           kva,
                           kvaMax,
                           kvaMin,
                           kvaDmd,
                           tap,
                           std::min(tap + 1 + static_cast<int>(j % 2), 16),
                           std::max(tap - 1 - static_cast<int>(j % 3), -16),
                           ops >> 16,
                           ops & 0xFFFF,
                           vl - 12 + (j * 7) % 20};
    IntervalRecord rec{Word(j + 1), stamp.date, stamp.time};
    std::transform(std::begin(values), std::end(values), rec.begin() + 3, Word);
    return rec;
}

}  // namespace

void FillLogs(PanelRegisters& r, unsigned events, unsigned intervals) {
    r.Clear(kLogBank, kEventCountRegister);
    r.Clear(kLogBank, kIntervalClearRegister);
    const long clock = ClockMinutes(r);
    for (long k = 0; k < static_cast<long>(events); ++k) {
        // About 47 minutes apart, a little irregular; the newest a few minutes before the clock.
        const long back = (static_cast<long>(events) - k) * 47 - (k * 13) % 20;
        r.AddEventRecord(MakeEvent(k, clock - back));
    }
    const long interval = r.Get(kLogBank, 3) != 0 ? r.Get(kLogBank, 3) : 15;
    const long lastEnd = (clock / interval) * interval;  // records close on whole intervals
    for (long j = 0; j < static_cast<long>(intervals); ++j) {
        r.AddIntervalRecord(
            MakeInterval(j, lastEnd - (static_cast<long>(intervals) - 1 - j) * interval));
    }
}

}  // namespace sim
