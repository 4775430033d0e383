#include "protocol/reply_trust.h"

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
    if (seen_ >= kRepliesToLearn) {
        if (echoes_ && !echoed) {
            return ReplyVerdict::kNoEcho;
        }
        if (sums_ && !summed) {
            return ReplyVerdict::kBadChecksum;
        }
        return ReplyVerdict::kOwn;
    }
    echoes_ = echoes_ && echoed;
    sums_ = sums_ && summed;
    noteDue_ = ++seen_ == kRepliesToLearn;
    return ReplyVerdict::kOwn;
}

std::string ReplyPattern::TakeSettledNote() {
    if (!noteDue_) {
        return "";
    }
    noteDue_ = false;
    if (echoes_ && sums_) {
        return "the panel echoes the function byte and its replies sum to 0: a reply without "
               "both is not taken";
    }
    if (echoes_) {
        return "the panel echoes the function byte, its replies do not all sum to 0: a reply "
               "without the echo is not taken";
    }
    if (sums_) {
        return "the panel's replies sum to 0, byte 1 is not always the function byte: a reply "
               "that does not sum to 0 is not taken";
    }
    return "the panel neither always echoes the function byte nor always sums its replies to 0: "
           "every reply long enough for its request is taken";
}

ReplyVerdict ReadRequestReply(const std::function<int()>& nextByte, const Frame& request,
                              bool addressMode, ReplyPattern& pattern, uint8_t* buffer) {
    if (ReadReplyFrom(nextByte, addressMode, buffer) != 0) {
        return ReplyVerdict::kCutShort;
    }
    return pattern.Judge(buffer, request, addressMode);
}
