#include "pages/data/logs_page_state.h"

#include "pages/data/quick_screen_names.h"

std::array<int32_t, kQuickMenuItems> LogsPageState::QuickMenuCleared() {
    std::array<int32_t, kQuickMenuItems> items{};
    items.fill(kNoQuickScreen);
    return items;
}

LogsPageState& LogsState() {
    static LogsPageState state;
    return state;
}

void ResetLogsState() {
    LogsState() = LogsPageState{};
}

int32_t LogSetupWord(const LogSetupFlags& bits) {
    int32_t word = 0;
    for (int n = 0; n < kLogSetupFlagCount; ++n) {
        word |= (bits[static_cast<std::size_t>(n)] & 1) << n;
    }
    return word;
}

LogSetupFlags LogSetupBits(int32_t word) {
    LogSetupFlags bits{};
    for (int n = 0; n < kLogSetupFlagCount; ++n) {
        bits[static_cast<std::size_t>(n)] = (word >> n) & 1;
    }
    return bits;
}

IntervalParts SplitInterval(int32_t minutes) {
    return {minutes / 60, minutes % 60};
}

int32_t JoinInterval(const IntervalParts& parts) {
    return parts.hours * 60 + parts.minutes;
}
