#pragma once
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace testing_support {

// Frames written as in the panel's documentation: Bytes({0x05, 0xA0, 0x7A, 0x01, 0xE0}).
inline std::vector<uint8_t> Bytes(std::initializer_list<int> list) {
    std::vector<uint8_t> v;
    for (int b : list)
        v.push_back(static_cast<uint8_t>(b));
    return v;
}

}  // namespace testing_support
