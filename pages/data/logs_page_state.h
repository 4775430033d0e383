#pragma once
// What the Logs and Quick Key page keeps for the whole run, whichever window shows it: the
// log set-up choices as flags, the choices of the "<LOGS>" area and the quick menu. The log
// download reads the auto-adjust flag and the download quantities from here.
#include <array>
#include <cstdint>

inline constexpr int kLogSetupFlagCount = 14;  // bits 0..13 of the log-setup word 11/1
inline constexpr int kQuickMenuItems = 15;     // registers 10/161..175

using LogSetupFlags = std::array<int, kLogSetupFlagCount>;

struct LogsPageState {
    LogSetupFlags bits{};
    int intervalHours = 0;
    int intervalMinutes = 0;
    // A setting of this tool, not of the panel: the log download moves record times onto
    // the PC's clock while it is 1.
    int autoAdjustLogTime = 1;
    int clearEvents = 0;
    int clearIntervals = 0;
    int downloadEvents = 0;
    int downloadIntervals = 0;
    // Until the panel's menu is read every item is "no screen", as the empty boxes show.
    std::array<int32_t, kQuickMenuItems> quickMenu = QuickMenuCleared();

    static std::array<int32_t, kQuickMenuItems> QuickMenuCleared();
};

LogsPageState& LogsState();
// Back to the start-up state (for tests; the tool never resets it).
void ResetLogsState();

// The bits of the log-setup word that have flags.
inline constexpr int32_t kLogSetupFlagMask = (1 << kLogSetupFlagCount) - 1;
// The log-setup word of the flags: bit n is flag n, bits 14 and 15 are 0.
int32_t LogSetupWord(const LogSetupFlags& bits);
// Bits 0..13 of a word as read, bit 11 included: it has no control and goes back as read.
LogSetupFlags LogSetupBits(int32_t word);

// The log interval register (minutes) in hours and minutes, and back.
struct IntervalParts {
    int hours = 0;
    int minutes = 0;
    bool operator==(const IntervalParts&) const = default;
};
IntervalParts SplitInterval(int32_t minutes);
int32_t JoinInterval(const IntervalParts& parts);
