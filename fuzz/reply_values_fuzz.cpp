// Whatever bytes the line delivers, between replies and inside them, the reply reader of a run
// of requests stays inside its buffer, ends, and takes as a request's reply only one long
// enough for that request's values; taking values stays inside what arrived.
//
// Input: one byte of settings (bit 0: address mode; bits 1..4: requests - 1), then two bytes
// per request (function byte: bank and operation; count - 1), then the line's byte stream.
#include <cstddef>
#include <cstdint>

#include "protocol/frame.h"
#include "protocol/reply_trust.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const bool addressMode = (data[0] & 1) != 0;
    const size_t requests = 1 + ((data[0] >> 1) & 0x0F);
    if (size < 1 + 2 * requests) {
        return 0;
    }
    const uint8_t* line = data + 1 + 2 * requests;
    const size_t lineSize = size - 1 - 2 * requests;
    size_t taken = 0;
    // No byte left is a byte that never came: every wait ends.
    const auto nextByte = [&]() -> int { return taken < lineSize ? line[taken++] : -1; };

    ReplyPattern pattern;
    const ProtocolSettings settings{static_cast<uint8_t>(addressMode ? 1 : 0), 7};
    for (size_t r = 0; r < requests; ++r) {
        const uint8_t function = data[1 + 2 * r];
        const auto op = static_cast<Operation>(function & 0x03);
        // A reset always asks for one register.
        const auto count = static_cast<uint8_t>(
            op == Operation::Reset ? 1 : 1 + data[2 + 2 * r] % kMaxRegistersPerRequest);
        int32_t values[kMaxRegistersPerRequest] = {};
        const Frame frame =
            BuildRequestFrame(settings, static_cast<uint8_t>(function >> 4), op, 0, count, values);
        const size_t before = taken;
        uint8_t reply[kReplyBufferBytes] = {};
        const ReplyVerdict verdict = ReadRequestReply(nextByte, frame, addressMode, pattern, reply);
        if (taken - before > static_cast<size_t>(kReplyBufferBytes)) {
            __builtin_trap();  // read past what a reply can hold
        }
        if (verdict != ReplyVerdict::kOwn) {
            continue;
        }
        const int length = reply[1];
        if (length < 1 || length > kMaxReplyRest + 1 || length < ShortestReplyLength(op, count)) {
            __builtin_trap();  // a "complete" reply too short for its request
        }
        ExtractValues(reply + 1, static_cast<size_t>(length), count, values);
        for (int k = 0; k < count; ++k) {
            if (values[k] < 0 || values[k] > 0xFFFF) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
