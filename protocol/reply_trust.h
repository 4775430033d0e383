#pragma once
// Whether a reply can be the current request's. The panel's content of byte 1 and of the
// checksum is its own affair, so a reply is held only to what no correct reply can miss (room
// for every value the request asks for) and to what this connection's panel has itself shown
// in its first replies (byte 1 echoing the request's function byte, the reply summing to 0).
#include <cstdint>
#include <functional>
#include <string>

#include "protocol/frame.h"

// What became of the reply to one request.
enum class ReplyVerdict : uint8_t {
    kOwn,          // complete, and it can be the request's: its values are taken
    kCutShort,     // no byte within the allowance, or a length byte outside 1..41
    kTooShort,     // its length byte ends it before the request's last value and checksum
    kNoEcho,       // byte 1 is not the function byte, from a panel that has shown it always is
    kBadChecksum,  // it does not sum to 0, from a panel whose replies have always done so
};

// A complete reply that cannot be the request's: its values are not taken at all.
constexpr bool IsForeign(ReplyVerdict verdict) {
    return verdict != ReplyVerdict::kOwn && verdict != ReplyVerdict::kCutShort;
}

// For the diagnostic output: "too short for its request", ...
const char* Explain(ReplyVerdict verdict);

// The smallest length byte of a reply that holds every value of a read, clear or reset of
// `count` registers and the checksum after the last; 1 for a write, whose reply carries no
// value the tool takes.
int ShortestReplyLength(Operation op, int count);

// The reply reader over any byte source: `nextByte` gives the next received byte 0..255, or a
// negative number when none came within the allowance. `buffer` (at least kReplyBufferBytes)
// gets the address byte at 0 (address mode only), the length byte at 1, the rest from 2. 0 for
// a complete reply of the announced length, kReplyTimeout otherwise (see requests.h).
int ReadReplyFrom(const std::function<int()>& nextByte, bool addressMode, uint8_t* buffer);

// What one connection's panel has shown of its replies, apart for the replies that carry values
// (read, clear, reset) and the acknowledgements of writes, whose bytes a panel may fill
// differently. The first kRepliesToLearn complete replies of a kind settle its pattern: if all
// of them echoed the function byte in byte 1, every later one must; if all of them summed to 0,
// every later one must. A panel that did not show a habit in all of them is never held to it.
class ReplyPattern {
  public:
    static constexpr int kRepliesToLearn = 3;

    // `reply` as ReadReplyFrom filled it (complete) for `request`.
    ReplyVerdict Judge(const uint8_t* reply, const Frame& request, bool addressMode);
    // Once per kind of reply, when its pattern has just been settled: what the panel is held to
    // from then on ("" otherwise).
    std::string TakeSettledNote();

  private:
    struct Habits {
        int seen = 0;  // complete replies that went into the pattern
        bool echoes = true;
        bool sums = true;
    };
    Habits values_;
    Habits acknowledgements_;
    std::string note_;
};

// One request's reply from `nextByte`, read and judged against `pattern`.
ReplyVerdict ReadRequestReply(const std::function<int()>& nextByte, const Frame& request,
                              bool addressMode, ReplyPattern& pattern, uint8_t* buffer);
