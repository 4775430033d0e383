#include "protocol/reply_trust.h"

#include <utility>

#include "protocol/requests.h"

namespace {

struct RequestShape {
    uint8_t function;
    Operation operation;
    int count;
};

RequestShape ShapeOf(const Frame& request, bool addressMode) {
    const uint8_t* bytes = request.bytes.data() + (addressMode ? 1 : 0);
    return {bytes[1], static_cast<Operation>(bytes[1] & 0x0F), bytes[3]};
}

}  // namespace

const char* Explain(ReplyVerdict verdict) {
    switch (verdict) {
        case ReplyVerdict::kOwn:
            return "complete";
        case ReplyVerdict::kCutShort:
            return "cut short or missing";
        case ReplyVerdict::kTooShort:
            return "too short for its request";
        case ReplyVerdict::kNoEcho:
            return "byte 1 is not the request's function byte";
        case ReplyVerdict::kBadChecksum:
            return "it does not sum to 0";
    }
    return "?";
}

int ShortestReplyLength(Operation op, int count) {
    if (op == Operation::Write || count < 1) {
        return 1;
    }
    // The last value's two bytes, then the checksum; positions count from the length byte.
    return ValueBytePosition(count - 1) + 3;
}

int ReadReplyFrom(const std::function<int()>& nextByte, bool addressMode, uint8_t* buffer) {
    if (addressMode) {
        const int address = nextByte();
        if (address < 0) {
            return kReplyTimeout;
        }
        buffer[0] = static_cast<uint8_t>(address);
    }
    const int length = nextByte();
    if (length < 0) {
        return kReplyTimeout;
    }
    buffer[1] = static_cast<uint8_t>(length);
    const uint8_t rest = static_cast<uint8_t>(length - 1);
    if (rest > kMaxReplyRest) {
        return kReplyTimeout;
    }
    for (int i = 0; i < rest; ++i) {
        const int byte = nextByte();
        if (byte < 0) {
            return kReplyTimeout;
        }
        buffer[2 + i] = static_cast<uint8_t>(byte);
    }
    return 0;
}

ReplyVerdict ReplyPattern::Judge(const uint8_t* reply, const Frame& request, bool addressMode) {
    const RequestShape shape = ShapeOf(request, addressMode);
    const int length = reply[1];
    if (length < ShortestReplyLength(shape.operation, shape.count)) {
        return ReplyVerdict::kTooShort;
    }
    const bool echoed = length >= 2 && reply[2] == shape.function;
    unsigned sum = addressMode ? reply[0] : 0u;
    for (int i = 0; i < length; ++i) {
        sum += reply[1 + i];
    }
    const bool summed = (sum & 0xFFu) == 0;
    const bool write = shape.operation == Operation::Write;
    Habits& habits = write ? acknowledgements_ : values_;
    if (habits.seen >= kRepliesToLearn) {
        if (habits.echoes && !echoed) {
            return ReplyVerdict::kNoEcho;
        }
        if (habits.sums && !summed) {
            return ReplyVerdict::kBadChecksum;
        }
        return ReplyVerdict::kOwn;
    }
    habits.echoes = habits.echoes && echoed;
    habits.sums = habits.sums && summed;
    if (++habits.seen == kRepliesToLearn) {
        const std::string kind = write ? "write acknowledgements" : "replies with values";
        if (habits.echoes && habits.sums) {
            note_ = kind +
                    ": the panel echoes the function byte and sums each to 0; one without "
                    "both is not taken";
        } else if (habits.echoes) {
            note_ = kind +
                    ": the panel echoes the function byte, its sums vary; one without the "
                    "echo is not taken";
        } else if (habits.sums) {
            note_ = kind +
                    ": the panel sums each to 0, its byte 1 varies; one that does not sum "
                    "to 0 is not taken";
        } else {
            note_ = kind +
                    ": the panel shows no fixed byte 1 and no fixed sum; each one long "
                    "enough for its request is taken";
        }
    }
    return ReplyVerdict::kOwn;
}

std::string ReplyPattern::TakeSettledNote() {
    return std::exchange(note_, std::string());
}

ReplyVerdict ReadRequestReply(const std::function<int()>& nextByte, const Frame& request,
                              bool addressMode, ReplyPattern& pattern, uint8_t* buffer) {
    if (ReadReplyFrom(nextByte, addressMode, buffer) != 0) {
        return ReplyVerdict::kCutShort;
    }
    return pattern.Judge(buffer, request, addressMode);
}
