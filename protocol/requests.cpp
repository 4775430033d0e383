#include "protocol/requests.h"

#include <algorithm>

#include "protocol/value_store.h"
#include "serial/receive_buffer.h"
#include "serial/serial_link.h"

namespace {

using namespace std::chrono_literals;

RequestRecord g_lastRequest;
RequestStats g_totals;
// The last reply timed out, was cut short or was rejected: the rest of it, or the reply it
// was mistaken for, may still be on its way.
bool g_lateBytesLikely = false;
std::function<void()> g_betweenRequests;
std::function<void(const FrameEvent&)> g_frameObserver;
bool g_requestInProgress = false;

// Continuous noise longer than this is flushed with whatever else is there.
constexpr auto kLongestQuietWait = 300ms;

// A few character times, but never under 10 ms: long enough for a panel that is still
// answering to send its next byte.
std::chrono::milliseconds InterFrameGap() {
    auto characters = std::chrono::ceil<std::chrono::milliseconds>(4 * serial::CharacterTime());
    return std::max<std::chrono::milliseconds>(10ms, characters);
}

// One request: empty the receive buffer, send the frame, await the reply, take the values
// from where the reply landed in the receive buffer (zeros where nothing came).
void Transact(uint8_t bank, Operation op, uint8_t start, uint8_t count, const int32_t* data,
              int32_t* out) {
    const bool nested = g_requestInProgress;
    g_requestInProgress = true;
    struct EndOfRequest {
        bool nested;
        ~EndOfRequest() { g_requestInProgress = nested; }
    } endOfRequest{nested};
    if (!nested && g_betweenRequests) {
        const std::function<void()> hook = g_betweenRequests;  // it may replace itself
        hook();
    }

    const ProtocolSettings settings = Protocol();
    const Frame frame = BuildRequestFrame(settings, bank, op, start, count, data);
    // Late bytes of a failed exchange must be flushed, not taken for this request's reply
    // (from then on every reply would land on the request after its own). A good exchange
    // leaves nothing behind and pays nothing.
    if (g_lateBytesLikely) {
        serial::WaitLineQuiet(InterFrameGap(), kLongestQuietWait);
    }
    const bool open = FlushReceiveBuffer() != 0;
    const auto sentAt = g_frameObserver ? std::chrono::steady_clock::now()
                                        : std::chrono::steady_clock::time_point{};
    const bool sent = WriteCommBytes(frame.bytes.data(), frame.size) != 0;
    if (g_frameObserver) {
        // The reply is gathered by the receive thread meanwhile, so the observer costs the
        // exchange no time on the line.
        g_frameObserver({sentAt, FrameDirection::kSent, {frame.bytes.data(), frame.size}, sent});
    }
    WaitTransmitDrain();
    uint8_t reply[kReplyBufferBytes] = {};
    const bool complete = ReadReply(reply) == 0;
    g_lateBytesLikely = !complete;

    // A closed port was not flushed: what its buffer holds is the last connection's.
    uint8_t received[serial::ReceiveBuffer::kSize] = {};
    const int filled = open ? serial::CopyReceiveBuffer(received, serial::ReceiveBuffer::kSize) : 0;
    if (g_frameObserver) {
        const auto kept = static_cast<size_t>(std::clamp(filled, 0, serial::ReceiveBuffer::kSize));
        g_frameObserver({std::chrono::steady_clock::now(),
                         FrameDirection::kReceived,
                         {received, kept},
                         complete});
    }
    if (out != nullptr) {
        const int skip = settings.addressMode != 0 ? 1 : 0;
        const int usable = std::max(0, filled - skip);
        ExtractValues(received + skip, static_cast<size_t>(usable),
                      std::min<int>(count, kMaxRegistersPerRequest), out);
        // Store slots remember whether the panel gave them their value.
        SetSlotsHeld(out, std::min<int>(count, kMaxRegistersPerRequest), complete);
    }

    g_lastRequest = {bank,
                     op,
                     op == Operation::Reset ? uint8_t{0} : start,
                     op == Operation::Reset ? uint8_t{1} : count,
                     complete,
                     filled};
    ++g_totals.requests;
    if (complete) {
        g_totals.lastCompleteReply = std::chrono::system_clock::now();
    } else {
        ++g_totals.incompleteReplies;
    }
}

}  // namespace

ProtocolSettings& Protocol() {
    static ProtocolSettings settings;
    return settings;
}

void SetBetweenRequestsHook(std::function<void()> hook) {
    g_betweenRequests = std::move(hook);
}

bool RequestInProgress() {
    return g_requestInProgress;
}

void SetFrameObserver(std::function<void(const FrameEvent&)> observer) {
    g_frameObserver = std::move(observer);
}

void ReadRegisters(uint8_t bank, uint8_t start, uint8_t count, int32_t* values) {
    Transact(bank, Operation::Read, start, count, nullptr, values);
}

int32_t ReadRegister(uint8_t bank, uint8_t reg) {
    int32_t value = 0;
    ReadRegisters(bank, reg, 1, &value);
    return value;
}

void WriteRegisters(uint8_t bank, uint8_t start, uint8_t count, const int32_t* values) {
    Transact(bank, Operation::Write, start, count, values, nullptr);
}

void SendClearCommand(uint8_t bank, uint8_t start, uint8_t count, int32_t* values) {
    Transact(bank, Operation::Clear, start, count, nullptr, values);
}

void SendResetCommand(uint8_t bank, int32_t* value) {
    Transact(bank, Operation::Reset, 0, 1, nullptr, value);
}

void ReadBlockTable(const RegisterBlock* first, int n) {
    for (int i = 0; i < n && first[i].count != 0; ++i) {
        ReadRegisters(first[i].bank, first[i].start, first[i].count, first[i].values());
    }
}

void WriteBlockTable(const RegisterBlock* first, int n) {
    for (int i = 0; i < n && first[i].count != 0; ++i) {
        WriteRegisters(first[i].bank, first[i].start, first[i].count, first[i].values());
    }
}

int ReadReplyByte() {
    uint8_t byte = 0;
    if (serial::WaitReceivedByte(&byte, kByteTimeout) != 0) {
        return byte;
    }
    return kReplyTimeout;
}

int ReadReply(uint8_t* buffer) {
    if (Protocol().addressMode != 0) {
        const int address = ReadReplyByte();
        if (address < 0) {
            return kReplyTimeout;
        }
        buffer[0] = static_cast<uint8_t>(address);
    }
    const int length = ReadReplyByte();
    if (length < 0) {
        return kReplyTimeout;
    }
    buffer[1] = static_cast<uint8_t>(length);
    const uint8_t rest = static_cast<uint8_t>(length - 1);
    if (rest > kMaxReplyRest) {
        return kReplyTimeout;
    }
    for (int i = 0; i < rest; ++i) {
        const int byte = ReadReplyByte();
        if (byte < 0) {
            return kReplyTimeout;
        }
        buffer[2 + i] = static_cast<uint8_t>(byte);
    }
    return 0;
}

const RequestRecord& LastRequest() {
    return g_lastRequest;
}
const RequestStats& RequestTotals() {
    return g_totals;
}
void ResetRequestTotals() {
    g_totals = {};
}
