#pragma once
// The progress window's rules that need no window: where it opens and what its caption says.
#include <cstdint>

struct ProgressPlacement {
    bool centre = true;
    int x = 0;
    int y = 0;
};

// A stored position is used only when both numbers lie on the screen; -1 (nothing stored),
// any negative number or one at or beyond the screen's size centres the window.
inline ProgressPlacement PlaceProgressWindow(bool rememberPosition, int storedX, int storedY,
                                             int screenWidth, int screenHeight) {
    if (!rememberPosition || storedX < 0 || storedY < 0 || storedX >= screenWidth ||
        storedY >= screenHeight) {
        return {};
    }
    return {false, storedX, storedY};
}

// (position - lower) x 100 / (upper - lower), rounded half up; 0 for an empty range.
inline int ProgressPercent(int lower, int upper, int position) {
    if (lower >= upper) {
        return 0;
    }
    int64_t span = static_cast<int64_t>(upper) - lower;
    int64_t done = (static_cast<int64_t>(position) - lower) * 100;
    int64_t twice = 2 * done + span;  // floor((2 done + span) / (2 span)) rounds half up
    int64_t q = twice / (2 * span);
    if (twice < 0 && twice % (2 * span) != 0) {
        --q;
    }
    return static_cast<int>(q);
}
