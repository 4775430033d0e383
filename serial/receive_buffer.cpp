#include "serial/receive_buffer.h"

#include <algorithm>
#include <cstring>

namespace serial {

void ReceiveBuffer::Reset() {
    bytes_.fill(0);
    fillCount_ = 0;
    readPosition_ = 0;
    lineErrors_ = 0;
}

int ReceiveBuffer::Append(const uint8_t* bytes, int count) {
    int kept = std::clamp(count, 0, kSize - fillCount_);
    if (kept > 0) {
        std::memcpy(bytes_.data() + fillCount_, bytes, static_cast<size_t>(kept));
        fillCount_ += kept;
    }
    return kept;
}

bool ReceiveBuffer::Take(uint8_t* byte) {
    if (readPosition_ >= fillCount_) {
        return false;
    }
    *byte = bytes_[static_cast<size_t>(readPosition_++)];
    return true;
}

}  // namespace serial
