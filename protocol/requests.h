#pragma once
// The request operations every page uses to reach the panel. None reports failure: a request
// without a reply leaves 0 in its values. All run on the user-interface thread.
#include <chrono>
#include <cstdint>
#include <optional>

#include "protocol/frame.h"
#include "protocol/register_block.h"

// Process-wide address mode and comm address.
ProtocolSettings& Protocol();

void ReadRegisters(uint8_t bank, uint8_t start, uint8_t count, int32_t* values);
void WriteRegisters(uint8_t bank, uint8_t start, uint8_t count, const int32_t* values);
void SendClearCommand(uint8_t bank, uint8_t start, uint8_t count, int32_t* values);
void SendResetCommand(uint8_t bank, int32_t* value);
// Transfers blocks in order, one request each, until n blocks or a block of count 0.
void ReadBlockTable(const RegisterBlock* first, int n);
void WriteBlockTable(const RegisterBlock* first, int n);

inline constexpr int kReplyTimeout = -2;
inline constexpr std::chrono::milliseconds kByteTimeout{1500};

// 0..255, or kReplyTimeout when no byte came within the per-byte allowance.
int ReadReplyByte();
// 0 for a complete reply of the announced length, kReplyTimeout otherwise. buffer >= 42 bytes.
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
    // When the last complete reply arrived (wall clock), nullopt before the first.
    std::optional<std::chrono::system_clock::time_point> lastCompleteReply;
};
const RequestRecord& LastRequest();
const RequestStats& RequestTotals();
void ResetRequestTotals();
