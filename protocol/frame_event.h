#pragma once
// One frame on the line as the request path saw it: a request going out or the bytes that came
// back for it. Reported to a frame observer (SetFrameObserver in requests.h) and written as one
// line of text by the frame log of the desktop tool and by `voltscope-cli --trace`.
#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// kNote: no frame, but what the request path learnt of the panel or made of a reply.
enum class FrameDirection : uint8_t { kSent, kReceived, kNote };

struct FrameEvent {
    std::chrono::steady_clock::time_point time;
    FrameDirection direction = FrameDirection::kSent;
    // Valid only during the observer's call: a request frame, or every byte that arrived after
    // the request's flush (nothing when the panel was silent).
    std::span<const uint8_t> bytes;
    // Sent: every byte went to the driver. Received: a reply of its announced length came,
    // and it can be the request's.
    bool complete = true;
    // kNote only, valid during the observer's call.
    std::string_view note;
};

// One line: milliseconds since `origin`, what happened, what a request asks (operation, bank,
// start register, count), the bytes in line order as hex.
//    "   1234 ms  TX             read 10/122x1   05 A0 7A 01 E0"
//    "   1290 ms  RX complete                    05 A0 12 34 15"
//    "   2800 ms  RX incomplete"
//    "   2801 ms  note           reply to read bank 10, start 30, count 5 not taken: ..."
std::string FormatFrameEvent(const FrameEvent& event, std::chrono::steady_clock::time_point origin);
