#pragma once
// The request operations every page uses to reach the panel. None reports failure: a request
// without a reply leaves 0 in its values. All run on the user-interface thread.
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "protocol/frame.h"
#include "protocol/frame_event.h"
#include "protocol/register_block.h"

// Process-wide address mode and comm address.
ProtocolSettings& Protocol();

void ReadRegisters(uint8_t bank, uint8_t start, uint8_t count, int32_t* values);
// One register read into a value of its own (0 without a reply), the store untouched.
int32_t ReadRegister(uint8_t bank, uint8_t reg);
void WriteRegisters(uint8_t bank, uint8_t start, uint8_t count, const int32_t* values);
void SendClearCommand(uint8_t bank, uint8_t start, uint8_t count, int32_t* values);
void SendResetCommand(uint8_t bank, int32_t* value);
// Called on the requesting thread before each request, ahead of its flush, so that a window
// kept busy by a long download can still paint and run its timers. A request started from
// inside the hook (a timer handler, say) runs without calling the hook again; page code must
// not start panel work from inside the hook, and can refuse to while RequestInProgress().
void SetBetweenRequestsHook(std::function<void()> hook);
// Asked before each request, after the between-requests hook (which lets the user press
// Cancel): true skips the request. It sends nothing and leaves its values unread (0, not held),
// and counts in RequestTotals().cancelled, not in requests. nullptr: nothing is cancelled.
void SetCancelCheck(std::function<bool()> cancelled);
// True from the start of a request, its hook included, to its end.
bool RequestInProgress();
// Called on the requesting thread with every request frame once it was handed to the link and
// with what came back once the reply is complete or given up on; nullptr: nobody listens, and
// the request path does no work for it. Not to be replaced from inside the observer.
void SetFrameObserver(std::function<void(const FrameEvent&)> observer);

// Transfers blocks in order, one request each, until n blocks or a block of count 0.
void ReadBlockTable(const RegisterBlock* first, int n);
void WriteBlockTable(const RegisterBlock* first, int n);

inline constexpr int kReplyTimeout = -2;
inline constexpr std::chrono::milliseconds kByteTimeout{1500};

// 0..255, or kReplyTimeout when no byte came within the per-byte allowance.
int ReadReplyByte();
// 0 for a complete reply of the announced length, kReplyTimeout otherwise. buffer >= 42 bytes.
// Whether the reply can be the request's is judged apart (protocol/reply_trust.h).
int ReadReply(uint8_t* buffer);

// What happened to the most recent request, for diagnostics and display. Callers that must
// see no failure simply don't look.
struct RequestRecord {
    uint8_t bank = 0;
    Operation operation = Operation::Read;
    uint8_t start = 0;
    uint8_t count = 0;
    bool completeReply = false;
    int bytesReceived = 0;
};
struct RequestStats {
    uint64_t requests = 0;
    uint64_t incompleteReplies = 0;
    // Requests not sent because the user cancelled the work they belonged to.
    uint64_t cancelled = 0;
    // Wall-clock time of the last complete reply; none since the totals were reset.
    std::optional<std::chrono::system_clock::time_point> lastCompleteReply;
};
// "read bank 10, start 30, count 5"
std::string DescribeRequest(const RequestRecord& request);
const RequestRecord& LastRequest();
const RequestStats& RequestTotals();
// The requests without a complete reply since the totals were reset, oldest first; only the
// first 200 are kept (RequestTotals().incompleteReplies counts them all).
const std::vector<RequestRecord>& FailedRequests();
void ResetRequestTotals();
