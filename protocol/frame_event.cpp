#include "protocol/frame_event.h"

#include <cstdio>
#include <iterator>

namespace {

// What a request frame asks, as "read 10/122x1"; "" for bytes that are no request frame. The
// length byte tells whether an address byte comes first.
std::string DecodedRequest(std::span<const uint8_t> bytes) {
    std::size_t at = 0;
    if (bytes.size() >= 5 && bytes[0] == bytes.size()) {
        at = 0;
    } else if (bytes.size() >= 6 && bytes[1] == bytes.size() - 1) {
        at = 1;
    } else {
        return {};
    }
    static constexpr const char* kOperations[] = {"read", "write", "clear", "reset"};
    const unsigned operation = bytes[at + 1] & 0x0F;
    if (operation >= std::size(kOperations)) {
        return {};
    }
    char text[32];
    std::snprintf(text, sizeof text, "%s %u/%ux%u", kOperations[operation],
                  static_cast<unsigned>(bytes[at + 1] >> 4), static_cast<unsigned>(bytes[at + 2]),
                  static_cast<unsigned>(bytes[at + 3]));
    return text;
}

}  // namespace

std::string FormatFrameEvent(const FrameEvent& event,
                             std::chrono::steady_clock::time_point origin) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(event.time - origin);
    char head[64];
    const char* what = nullptr;
    if (event.direction == FrameDirection::kNote) {
        what = "note";
    } else if (event.direction == FrameDirection::kSent) {
        what = event.complete ? "TX" : "TX not sent";
    } else {
        what = event.complete ? "RX complete" : "RX incomplete";
    }
    if (event.direction == FrameDirection::kNote) {
        std::snprintf(head, sizeof head, "%7lld ms  %-14s ", static_cast<long long>(ms.count()),
                      what);
        return std::string(head) + std::string(event.note);
    }
    // Fixed widths keep the bytes of every line in one column.
    const std::string decoded =
        event.direction == FrameDirection::kSent ? DecodedRequest(event.bytes) : std::string();
    std::snprintf(head, sizeof head, "%7lld ms  %-14s %-15s", static_cast<long long>(ms.count()),
                  what, decoded.c_str());
    std::string line = head;
    line.reserve(line.size() + 3 * event.bytes.size());
    static constexpr char kHex[] = "0123456789ABCDEF";
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
