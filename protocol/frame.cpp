#include "protocol/frame.h"

#include <algorithm>

uint8_t FrameChecksum(const uint8_t* bytes, size_t count) {
    unsigned sum = 0;
    for (size_t i = 0; i < count; ++i) {
        sum += bytes[i];
    }
    return static_cast<uint8_t>(0x100u - (sum & 0xFFu));
}

Frame BuildRequestFrame(const ProtocolSettings& settings, uint8_t bank, Operation op, uint8_t start,
                        uint8_t count, const int32_t* values) {
    if (op == Operation::Reset) {
        start = 0;
        count = 1;
    }
    // The frame buffer holds 15 registers; a longer request cannot be framed.
    count = std::min<uint8_t>(count, kMaxRegistersPerRequest);
    const bool write = op == Operation::Write;

    Frame frame;
    uint8_t* p = frame.bytes.data();
    size_t n = 0;
    if (settings.addressMode != 0) {
        p[n++] = settings.commAddress;
    }
    p[n++] = static_cast<uint8_t>(write ? 5 + 2 * count : 5);
    p[n++] = static_cast<uint8_t>(((bank & 0x0F) << 4) | static_cast<uint8_t>(op));
    p[n++] = start;
    p[n++] = count;
    if (write) {
        for (int k = 0; k < count; ++k) {
            const uint32_t v = static_cast<uint32_t>(values != nullptr ? values[k] : 0);
            p[n++] = static_cast<uint8_t>((v >> 8) & 0xFF);
            p[n++] = static_cast<uint8_t>(v & 0xFF);
        }
    }
    p[n] = FrameChecksum(p, n);
    frame.size = static_cast<uint8_t>(n + 1);
    return frame;
}

void ExtractValues(const uint8_t* reply, size_t available, int count, int32_t* values) {
    auto byteAt = [&](int i) -> int32_t {
        return static_cast<size_t>(i) < available ? reply[i] : 0;
    };
    for (int k = 0; k < count; ++k) {
        const int pos = ValueBytePosition(k);
        values[k] = (byteAt(pos) << 8) | byteAt(pos + 1);
    }
}
