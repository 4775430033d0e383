#pragma once
// Request and reply frames of the panel's register protocol, as pure functions.
#include <array>
#include <cstddef>
#include <cstdint>

enum class Operation : uint8_t { Read = 0, Write = 1, Clear = 2, Reset = 3 };

inline constexpr int kMaxRegistersPerRequest = 15;
inline constexpr int kMaxFrameBytes = 36;     // address + 5 + 2 x 15
inline constexpr int kReplyBufferBytes = 42;  // address + length + 40
inline constexpr int kMaxReplyRest = 40;      // bytes after the length byte

struct ProtocolSettings {
    uint8_t addressMode = 0;  // 1: every frame starts with the comm address
    uint8_t commAddress = 0;  // 0..199
};

struct Frame {
    std::array<uint8_t, kMaxFrameBytes> bytes{};
    uint8_t size = 0;
};

// Two's complement of the 8-bit sum, so that the whole frame sums to 0 modulo 256.
uint8_t FrameChecksum(const uint8_t* bytes, size_t count);

// `values` is read only for writes (low 16 bits, high byte first). count is 1..15
// (reset always sends start 0, count 1).
Frame BuildRequestFrame(const ProtocolSettings& settings, uint8_t bank, Operation op, uint8_t start,
                        uint8_t count, const int32_t* values = nullptr);

// Position of value k's high byte, counting the reply's length byte as byte 0.
constexpr int ValueBytePosition(int k) {
    return k == 0 ? 2 : 5 + 5 * ((k - 1) / 2) + 2 * ((k - 1) % 2);
}

// Takes `count` values from a reply that starts at its length byte; bytes past `available`
// read as 0, as they would in a freshly flushed receive buffer.
void ExtractValues(const uint8_t* reply, size_t available, int count, int32_t* values);
