#include "app/window_scroll.h"

#include <algorithm>

ScrollState ScrollAfterResize(int initialHeight, int clientHeight) {
    ScrollState s;
    s.range = std::max(0, initialHeight - clientHeight);
    s.page = s.range / 10;
    s.position = 0;
    return s;
}

int ScrollTo(const ScrollState& state, ScrollAction action, int thumbPosition) {
    int target = state.position;
    switch (action) {
        case ScrollAction::kLineUp:
            target -= state.range / 100;
            break;
        case ScrollAction::kLineDown:
            target += state.range / 100;
            break;
        case ScrollAction::kPageUp:
            target -= state.range / 10;
            break;
        case ScrollAction::kPageDown:
            target += state.range / 10;
            break;
        case ScrollAction::kThumb:
            target = thumbPosition;
            break;
    }
    return std::clamp(target, 0, state.range);
}
