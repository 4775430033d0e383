#include "sim/panel_protocol.h"

namespace sim {
namespace {

constexpr unsigned kMaxAddress = 199;
constexpr unsigned kMaxCount = 15;
constexpr unsigned kShortFrameLength = 5;

bool PlausibleLength(unsigned length) {
    return length == kShortFrameLength ||
           (length >= kShortFrameLength + 2 && length <= kShortFrameLength + 2 * kMaxCount &&
            length % 2 == 1);
}

std::uint8_t Hi(std::uint16_t v) {
    return static_cast<std::uint8_t>(v >> 8);
}
std::uint8_t Lo(std::uint16_t v) {
    return static_cast<std::uint8_t>(v & 0xFF);
}

void AppendChecksum(std::vector<std::uint8_t>& frame) {
    frame.push_back(Checksum(frame));
}

}  // namespace

std::uint8_t Checksum(const std::vector<std::uint8_t>& bytes) {
    unsigned sum = 0;
    for (std::uint8_t b : bytes) {
        sum += b;
    }
    return static_cast<std::uint8_t>((0x100 - (sum & 0xFF)) & 0xFF);
}

std::vector<Request> PanelProtocol::Feed(std::uint8_t byte, Clock::time_point when) {
    pending_.push_back(byte);
    arrival_.push_back(when);
    std::vector<Request> done;
    while (!pending_.empty()) {
        std::size_t frameSize = 0;
        Verdict verdict = Examine(frameSize);
        if (verdict == Verdict::kNeedMore) {
            break;
        }
        std::size_t drop = 1;
        if (verdict == Verdict::kComplete) {
            done.push_back(Decode(frameSize));
            drop = frameSize;
        }
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(drop));
        arrival_.erase(arrival_.begin(), arrival_.begin() + static_cast<std::ptrdiff_t>(drop));
    }
    return done;
}

void PanelProtocol::Reset() {
    pending_.clear();
    arrival_.clear();
}

PanelProtocol::Verdict PanelProtocol::Examine(std::size_t& frameSize) const {
    const std::size_t have = pending_.size();
    std::size_t at = 0;
    if (address_ >= 0) {
        if (pending_[0] > kMaxAddress) {
            return Verdict::kImpossible;
        }
        at = 1;
    }
    if (have <= at) {
        return Verdict::kNeedMore;
    }
    const unsigned length = pending_[at];
    if (!PlausibleLength(length)) {
        return Verdict::kImpossible;
    }
    if (have <= at + 1) {
        return Verdict::kNeedMore;
    }
    const unsigned op = pending_[at + 1] & 0x0F;
    if (op > static_cast<unsigned>(Operation::kReset)) {
        return Verdict::kImpossible;
    }
    if (have <= at + 3) {
        return Verdict::kNeedMore;
    }
    const unsigned count = pending_[at + 3];
    if (count < 1 || count > kMaxCount) {
        return Verdict::kImpossible;
    }
    const unsigned expected = op == static_cast<unsigned>(Operation::kWrite)
                                  ? kShortFrameLength + 2 * count
                                  : kShortFrameLength;
    if (length != expected) {
        return Verdict::kImpossible;
    }
    frameSize = at + length;
    return have >= frameSize ? Verdict::kComplete : Verdict::kNeedMore;
}

Request PanelProtocol::Decode(std::size_t frameSize) const {
    Request r;
    r.raw.assign(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(frameSize));
    r.firstByteTime = arrival_.front();
    std::size_t at = 0;
    if (address_ >= 0) {
        r.address = r.raw[0];
        at = 1;
    }
    const std::uint8_t function = r.raw[at + 1];
    r.bank = function >> 4;
    r.op = static_cast<Operation>(function & 0x0F);
    r.start = r.raw[at + 2];
    r.count = r.raw[at + 3];
    if (r.op == Operation::kWrite) {
        for (unsigned i = 0; i < r.count; ++i) {
            std::size_t hi = at + 4 + 2 * i;
            r.data.push_back(static_cast<std::uint16_t>((r.raw[hi] << 8) | r.raw[hi + 1]));
        }
    }
    unsigned sum = 0;
    for (std::uint8_t b : r.raw) {
        sum += b;
    }
    r.checksumValid = (sum & 0xFF) == 0;
    r.forThisPanel = address_ < 0 || r.address == address_;
    return r;
}

std::vector<std::uint8_t> BuildValueReply(int address, std::uint8_t function, unsigned start,
                                          const std::vector<std::uint16_t>& values) {
    std::vector<std::uint8_t> frame;
    if (address >= 0) {
        frame.push_back(static_cast<std::uint8_t>(address));
    }
    const std::size_t lengthAt = frame.size();
    frame.push_back(0);  // the length, known at the end
    frame.push_back(function);
    if (!values.empty()) {
        frame.push_back(Hi(values[0]));
        frame.push_back(Lo(values[0]));
    }
    for (std::size_t k = 1; k < values.size(); ++k) {
        if (k % 2 == 1) {
            frame.push_back(static_cast<std::uint8_t>((start + k) & 0xFF));
        }
        frame.push_back(Hi(values[k]));
        frame.push_back(Lo(values[k]));
    }
    frame[lengthAt] = static_cast<std::uint8_t>(frame.size() - lengthAt + 1);
    AppendChecksum(frame);
    return frame;
}

std::vector<std::uint8_t> Answer(const Request& request, PanelRegisters& registers) {
    if (!request.checksumValid || !request.forThisPanel) {
        return {};
    }
    const std::size_t at = request.address >= 0 ? 1 : 0;
    const std::uint8_t function = request.raw[at + 1];
    if (request.op == Operation::kWrite) {
        registers.Write(request.bank, request.start, request.data);
        std::vector<std::uint8_t> ack;
        if (request.address >= 0) {
            ack.push_back(static_cast<std::uint8_t>(request.address));
        }
        ack.insert(ack.end(), {static_cast<std::uint8_t>(kShortFrameLength), function,
                               static_cast<std::uint8_t>(request.start),
                               static_cast<std::uint8_t>(request.count)});
        AppendChecksum(ack);
        return ack;
    }
    bool clearedLog = false;
    if (request.op == Operation::kRead) {
        registers.PrepareRead(request.bank, request.start);
    } else if (request.op == Operation::kClear) {
        clearedLog = registers.Clear(request.bank, request.start);
    } else {
        registers.ResetRecords(request.bank);
    }
    std::vector<std::uint16_t> values;
    for (unsigned i = 0; i < request.count; ++i) {
        values.push_back(registers.Get(request.bank, request.start + i));
    }
    if (clearedLog) {
        values[0] =
            registers.Get(kLogBank, request.start == kEventCountRegister ? kEventCountRegister
                                                                         : kIntervalCountRegister);
    }
    return BuildValueReply(request.address, function, request.start, values);
}

}  // namespace sim
