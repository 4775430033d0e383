#include "protocol/frame_event.h"

#include <cstdio>

std::string FormatFrameEvent(const FrameEvent& event,
                             std::chrono::steady_clock::time_point origin) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(event.time - origin);
    char head[48];
    const char* what = nullptr;
    if (event.direction == FrameDirection::kNote) {
        what = "note";
    } else if (event.direction == FrameDirection::kSent) {
        what = event.complete ? "TX" : "TX not sent";
    } else {
        what = event.complete ? "RX complete" : "RX incomplete";
    }
    // Fixed widths keep the bytes of every line in one column.
    std::snprintf(head, sizeof head, "%7lld ms  %-14s", static_cast<long long>(ms.count()), what);
    std::string line = head;
    line.reserve(line.size() + 3 * event.bytes.size());
    static constexpr char kHex[] = "0123456789ABCDEF";
    if (event.direction == FrameDirection::kNote) {
        line += ' ';
        line += event.note;
        return line;
    }
    while (event.bytes.empty() && line.back() == ' ') {
        line.pop_back();
    }
    for (uint8_t byte : event.bytes) {
        line += ' ';
        line += kHex[byte >> 4];
        line += kHex[byte & 0x0F];
    }
    return line;
}
