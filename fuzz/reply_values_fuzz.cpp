// Whatever bytes the line delivers, taking values from them stays inside the reply.
#include <cstddef>
#include <cstdint>

#include "protocol/frame.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const int count = data[0] % (kMaxRegistersPerRequest + 1);
    int32_t values[kMaxRegistersPerRequest];
    ExtractValues(data + 1, size - 1, count, values);
    for (int k = 0; k < count; ++k) {
        if (values[k] < 0 || values[k] > 0xFFFF)
            __builtin_trap();
    }
    return 0;
}
