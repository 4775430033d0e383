#pragma once
// Building request frames and reading replies the way the PC does, for the panel's tests.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace simtest {

// `bytes` followed by the checksum that makes the whole frame add up to 0 modulo 256.
inline std::vector<std::uint8_t> WithChecksum(std::vector<std::uint8_t> bytes) {
    unsigned sum = 0;
    for (std::uint8_t b : bytes) {
        sum += b;
    }
    bytes.push_back(static_cast<std::uint8_t>((256 - sum % 256) % 256));
    return bytes;
}

inline std::uint8_t Sum(const std::vector<std::uint8_t>& bytes) {
    unsigned sum = 0;
    for (std::uint8_t b : bytes) {
        sum += b;
    }
    return static_cast<std::uint8_t>(sum & 0xFF);
}

// Where the PC takes value k, counting the length byte as byte 0.
inline std::size_t ValuePosition(std::size_t k) {
    return k == 0 ? 2 : 5 + 5 * ((k - 1) / 2) + 2 * ((k - 1) % 2);
}

inline unsigned ValueAt(const std::vector<std::uint8_t>& reply, std::size_t k,
                        std::size_t lengthByteAt = 0) {
    std::size_t at = lengthByteAt + ValuePosition(k);
    return static_cast<unsigned>((reply.at(at) << 8) | reply.at(at + 1));
}

}  // namespace simtest
