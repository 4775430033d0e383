#pragma once
// The 512-byte receive buffer shared by RxThread and the protocol. Bytes are appended at the
// fill count and taken at the read position; it is never compacted or wrapped, only emptied.
// Invariant: 0 <= readPosition <= fillCount <= 512.
//
// Every member function expects the caller to hold `mutex`, so that the receive thread can
// keep it across one whole event (error check, read and append) as the link requires.
#include <array>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace serial {

class ReceiveBuffer {
  public:
    static constexpr int kSize = 512;

    std::mutex mutex;
    // Signalled whenever bytes are appended or the link closes.
    std::condition_variable changed;

    // Empties the buffer: all bytes 0, fill count, read position and line errors 0.
    void Reset();
    // Appends up to the free space; bytes beyond it are dropped. Returns how many were kept.
    int Append(const uint8_t* bytes, int count);
    // The next unread byte, if any.
    bool Take(uint8_t* byte);
    bool HasUnread() const { return readPosition_ < fillCount_; }

    int fillCount() const { return fillCount_; }
    int readPosition() const { return readPosition_; }
    uint32_t lineErrors() const { return lineErrors_; }
    void setLineErrors(uint32_t errors) { lineErrors_ = errors; }
    const uint8_t* data() const { return bytes_.data(); }

  private:
    std::array<uint8_t, kSize> bytes_{};
    int fillCount_ = 0;
    int readPosition_ = 0;
    uint32_t lineErrors_ = 0;
};

}  // namespace serial
