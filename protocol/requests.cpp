#include "protocol/requests.h"

#include <algorithm>

#include "protocol/reply_trust.h"
#include "protocol/value_store.h"
#include "serial/receive_buffer.h"
#include "serial/serial_link.h"

namespace {

RequestRecord g_lastRequest;
RequestStats g_totals;
// The last reply timed out, was cut short or was rejected: the rest of it, or the reply it
// was mistaken for, may still be on its way.
bool g_lateBytesLikely = false;
std::function<void()> g_betweenRequests;
std::function<bool()> g_cancelled;
std::function<void(const FrameEvent&)> g_frameObserver;
bool g_requestInProgress = false;

std::vector<RequestRecord> g_failed;
// Enough to name every request of the longest verb; the desktop tool never resets the totals.
constexpr size_t kFailedRequestsKept = 200;

// What the panel on the open connection has shown of its replies; a new connection starts
// again from nothing.
ReplyPattern& ConnectionPattern() {
    static ReplyPattern pattern;
    static unsigned connection = 0;
    if (serial::ConnectionNumber() != connection) {
        connection = serial::ConnectionNumber();
        pattern = {};
    }
    return pattern;
}

// What the last reply taught or cost, told once the reply itself was reported.
std::vector<std::string> g_notes;

void TellNotes() {
    for (const std::string& note : g_notes) {
        serial::Diagnostic(note + "\n");
        if (g_frameObserver) {
            g_frameObserver(
                {std::chrono::steady_clock::now(), FrameDirection::kNote, {}, true, note});
        }
    }
    g_notes.clear();
}

// Reads the reply to `frame` and judges whether it can be the frame's: a reply that cannot is
// a reply that did not come.
ReplyVerdict AwaitReply(const Frame& frame, const ProtocolSettings& settings) {
    uint8_t reply[kReplyBufferBytes] = {};
    const bool addressMode = settings.addressMode != 0;
    ReplyPattern& pattern = ConnectionPattern();
    const ReplyVerdict verdict =
        ReadRequestReply(ReadReplyByte, frame, addressMode, pattern, reply);
    if (std::string settled = pattern.TakeSettledNote(); !settled.empty()) {
        g_notes.push_back(std::move(settled));
    }
    if (IsForeign(verdict)) {
        const uint8_t* header = frame.bytes.data() + (addressMode ? 1 : 0);
        const RequestRecord request{static_cast<uint8_t>(header[1] >> 4),
                                    static_cast<Operation>(header[1] & 0x0F), header[2], header[3]};
        g_notes.push_back("reply to " + DescribeRequest(request) +
                          " not taken: " + Explain(verdict));
    }
    return verdict;
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
    if (g_cancelled && g_cancelled()) {
        // Nothing goes out: what the request would have read is unread, as without a reply.
        if (out != nullptr) {
            const int n = std::min<int>(count, kMaxRegistersPerRequest);
            std::fill_n(out, n, 0);
            SetSlotsHeld(out, n, false);
        }
        g_lastRequest = {bank, op, start, count, false, 0};
        ++g_totals.cancelled;
        return;
    }

    const ProtocolSettings settings = Protocol();
    const Frame frame = BuildRequestFrame(settings, bank, op, start, count, data);
    // Late bytes of a failed exchange must be flushed, not taken for this request's reply
    // (from then on every reply would land on the request after its own). A good exchange
    // leaves nothing behind and pays nothing.
    if (g_lateBytesLikely) {
        serial::SettleLine();
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
    const ReplyVerdict verdict = AwaitReply(frame, settings);
    const bool complete = verdict == ReplyVerdict::kOwn;
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
    TellNotes();
    if (out != nullptr) {
        const int skip = settings.addressMode != 0 ? 1 : 0;
        // Another request's reply gives nothing, as no reply does.
        const int usable = IsForeign(verdict) ? 0 : std::max(0, filled - skip);
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
        if (g_failed.size() < kFailedRequestsKept) {
            g_failed.push_back(g_lastRequest);
        }
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

void SetCancelCheck(std::function<bool()> cancelled) {
    g_cancelled = std::move(cancelled);
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
    return ReadReplyFrom(ReadReplyByte, Protocol().addressMode != 0, buffer);
}

std::string DescribeRequest(const RequestRecord& request) {
    static constexpr const char* kNames[] = {"read", "write", "clear", "reset"};
    return std::string(kNames[static_cast<int>(request.operation) & 3]) + " bank " +
           std::to_string(request.bank) + ", start " + std::to_string(request.start) + ", count " +
           std::to_string(request.count);
}

const RequestRecord& LastRequest() {
    return g_lastRequest;
}
const RequestStats& RequestTotals() {
    return g_totals;
}
void ResetRequestTotals() {
    g_totals = {};
    g_failed.clear();
}
const std::vector<RequestRecord>& FailedRequests() {
    return g_failed;
}
