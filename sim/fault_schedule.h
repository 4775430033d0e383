#pragma once
// How the simulated panel answers wrongly: the kinds of fault, what each does to a reply, and a
// schedule that gives each request a fault by chance (`voltscope-panelsim --fault KIND:PERCENT`).
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "sim/panel_protocol.h"

namespace sim {

// A way of answering wrongly. Build one with the named constructors.
struct Fault {
    enum class Kind {
        kSilence,
        kLateByte,
        kTruncate,
        kBadLength,
        kNoise,
        kStaleReply,
        kStrayByte,
        kVanish,
        kNoEcho,
        kBadChecksum
    };
    Kind kind = Kind::kSilence;
    std::size_t byteIndex = 0;  // late byte: which reply byte; truncate: how many bytes to keep
    std::chrono::milliseconds delay{0};  // late byte: the extra wait before that byte
    std::uint8_t lengthByte = 0;         // bad length: what replaces the length byte
    std::uint8_t strayByte = 0xFF;       // stray byte: its value
    std::size_t noiseCount = 0;          // noise: how many random bytes
    bool noiseInstead = false;           // noise: true = instead of the reply, false = before it
    std::uint32_t seed = 1;              // noise: the random bytes are reproducible
    bool removeLink = false;             // vanish: also remove the COM link
    std::uint8_t byteOne = 0;            // no echo: what byte 1 holds instead of the function

    static Fault Silence() { return {}; }
    static Fault LateByte(std::size_t index, std::chrono::milliseconds delay);
    static Fault Truncate(std::size_t keepBytes);
    static Fault BadLength(std::uint8_t lengthByte);
    static Fault Noise(std::size_t count, bool insteadOfReply, std::uint32_t seed = 1);
    // Answers with the reply of the previous answered request (nothing when there was none);
    // the request itself is still carried out.
    static Fault StaleReply();
    // The reply is followed by one stray byte that reaches the tool late: it goes out as the
    // next request comes in, ahead of that request's reply, where the tool has already flushed.
    static Fault StrayByte(std::uint8_t value = 0xFF);
    // Instead of answering, the panel closes both ends of the pseudo-terminal and stops.
    static Fault Vanish(bool removeLink = false);
    // Byte 1 of the reply holds `byteOne` instead of the request's function byte; the checksum
    // still sums the reply to 0.
    static Fault NoEcho(std::uint8_t byteOne = 0);
    // The reply's last byte is off by one, so the reply no longer sums to 0.
    static Fault BadChecksum();
};

// A reply as the fault leaves it.
struct ShapedReply {
    std::vector<std::uint8_t> bytes;   // what goes out now (empty: nothing)
    std::size_t lateIndex = SIZE_MAX;  // from this byte on, every byte leaves `lateBy` later
    std::chrono::milliseconds lateBy{0};
    std::vector<std::uint8_t> stray;  // goes out as the next request comes in
    bool vanish = false;
    bool removeLink = false;
};

// What `fault` makes of `reply`, the panel's correct answer to `request`; `lastReply` is the
// previous answered request's correct reply.
ShapedReply ApplyFault(const Fault& fault, const std::vector<std::uint8_t>& reply,
                       const Request& request, const std::vector<std::uint8_t>& lastReply);

// One line for the simulator's --verbose output, e.g. "stray byte 05" or "late byte 3 by 2000 ms".
std::string Describe(const Fault& fault);

// Every kind by its command-line name, in the order `--help` lists them.
struct FaultKindName {
    Fault::Kind kind;
    std::string_view name;
    std::string_view what;
};
const std::vector<FaultKindName>& FaultKindNames();

// Gives each request one of its faults by chance, or none: each kind has its own chance in
// hundredths of a per cent, together at most 100 %. The faults' own details (which byte comes
// late, how much noise, ...) are drawn too, so a schedule with the same seed gives the same
// faults to the same requests.
class FaultSchedule {
  public:
    static constexpr unsigned kWhole = 10000;  // 100 %

    explicit FaultSchedule(std::uint32_t seed = 1) : random_(seed) {}

    // "stray", "stray:3", "noise:0.5": the kind's name and its chance in per cent (100 when
    // left out). Returns what is wrong with `spec` ("" when it was added).
    std::string Add(std::string_view spec);
    void Add(Fault::Kind kind, unsigned hundredthsOfPercent);
    bool empty() const { return entries_.empty(); }

    // The fault for `request`, whose correct reply is `reply`; none for most requests.
    std::optional<Fault> Pick(const std::vector<std::uint8_t>& reply, const Request& request);

  private:
    Fault Draw(Fault::Kind kind, const std::vector<std::uint8_t>& reply, const Request& request);

    struct Entry {
        Fault::Kind kind;
        unsigned chance;
    };
    std::vector<Entry> entries_;
    unsigned total_ = 0;
    std::mt19937 random_;
};

}  // namespace sim
