#pragma once
// The main window's vertical scrolling: the contents keep the height the window had when it
// opened, and a smaller window scrolls over them.

inline constexpr int kMinWindowWidth = 800;
inline constexpr int kMinWindowHeight = 600;
inline constexpr int kMaxWindowWidth = 968;
inline constexpr int kMaxWindowHeight = 845;

struct ScrollState {
    int range = 0;     // how far the contents can move
    int page = 0;      // a tenth of the range
    int position = 0;  // 0..range
};

// After a resize: range = initial height - client height (0 if negative), position 0.
ScrollState ScrollAfterResize(int initialHeight, int clientHeight);

enum class ScrollAction { kLineUp, kLineDown, kPageUp, kPageDown, kThumb };

// A line is a hundredth of the range, a page a tenth; never beyond 0 or the range.
int ScrollTo(const ScrollState& state, ScrollAction action, int thumbPosition = 0);
