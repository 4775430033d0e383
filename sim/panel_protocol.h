#pragma once
// The panel's side of the register protocol: a byte-at-a-time reader of request frames and the
// builder of the panel's replies.
//
// Request: [address] length, function (bank << 4 | op), start, count, [count words, high byte
// first, for a write], checksum; all bytes, address included, add up to 0 modulo 256. The
// length counts from itself to the checksum: 5 for read/clear/reset, 5 + 2 x count for a write.
//
// How the reader stays in step with the line: bytes collect in a pending window that must
// always be the beginning of a well-formed frame (an address 0..199 in address mode, a length
// of 5 or 7..35, an operation 0..3, a count 1..15 that agrees with the length). As soon as a
// byte makes the window impossible, the window's first byte is dropped and the rest are
// examined again, so a frame that follows garbage (such as the lone 0x00 the PC sends when it
// closes the port) is still found. A frame of the right shape with a wrong checksum is
// consumed whole, recorded as a request with `checksumValid` false, and never answered.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/panel_registers.h"

namespace sim {

enum class Operation : std::uint8_t { kRead = 0, kWrite = 1, kClear = 2, kReset = 3 };

using Clock = std::chrono::steady_clock;

struct Request {
    std::vector<std::uint8_t> raw;  // every byte of the frame, address byte included
    int address = -1;               // the address byte, -1 when the panel is not in address mode
    unsigned bank = 0;
    Operation op = Operation::kRead;
    unsigned start = 0;
    unsigned count = 0;
    std::vector<std::uint16_t> data;  // the values of a write
    bool checksumValid = false;
    bool forThisPanel = false;  // address matches (always true without address mode)
    bool answered = false;      // a reply left the panel (set by whoever sends it)
    std::string fault;          // how the reply was spoilt ("" when it was not)
    Clock::time_point firstByteTime{};
};

class PanelProtocol {
  public:
    // `address` -1: not in address mode; otherwise the panel's own address 0..199.
    explicit PanelProtocol(int address = -1) : address_(address) {}

    // Takes one received byte; returns the requests this byte completed (usually none or one).
    std::vector<Request> Feed(std::uint8_t byte, Clock::time_point when = Clock::now());

    // Forgets a partly received frame.
    void Reset();
    bool MidFrame() const { return !pending_.empty(); }
    int address() const { return address_; }

  private:
    enum class Verdict { kNeedMore, kImpossible, kComplete };
    Verdict Examine(std::size_t& frameSize) const;
    Request Decode(std::size_t frameSize) const;

    int address_;
    std::vector<std::uint8_t> pending_;
    std::vector<Clock::time_point> arrival_;
};

// Carries out a request on the registers and returns the reply bytes; empty when the panel
// stays silent (checksum wrong, or another panel's address).
//
// Read, clear and reset of k registers are answered [address] L, function, value 0 (high, low),
// then per pair of further values a tag byte (the low 8 bits of the pair's first register
// number) and the pair, and a checksum; L counts from itself to the checksum (40 for 15 values).
// A clear of a log answers its new record count (0) as value 0; a reset answers the bank's
// start register after the reset. A write stores its values and is acknowledged with
// [address] 05, function, start, count, checksum.
std::vector<std::uint8_t> Answer(const Request& request, PanelRegisters& registers);

// The reply frame for `values` under `function`, as laid out above.
std::vector<std::uint8_t> BuildValueReply(int address, std::uint8_t function, unsigned start,
                                          const std::vector<std::uint16_t>& values);

// The two's complement of the 8-bit sum of `bytes`.
std::uint8_t Checksum(const std::vector<std::uint8_t>& bytes);

}  // namespace sim
