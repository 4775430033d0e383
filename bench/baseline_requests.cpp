#include "bench/baseline_requests.h"

#include <chrono>
#include <thread>

#include "protocol/frame.h"
#include "protocol/requests.h"
#include "serial/serial_link.h"

namespace bench {
namespace {

using std::chrono::milliseconds;

int PollByte() {
    for (int tries = 0; tries < 150; ++tries) {
        uint8_t byte = 0;
        if (GetReceivedByte(&byte) != 0)
            return byte;
        std::this_thread::sleep_for(milliseconds(10));
    }
    return -1;
}

bool PollReply() {
    if (Protocol().addressMode != 0 && PollByte() < 0)
        return false;
    const int length = PollByte();
    if (length < 1 || length - 1 > kMaxReplyRest)
        return false;
    for (int i = 1; i < length; ++i) {
        if (PollByte() < 0)
            return false;
    }
    return true;
}

}  // namespace

BaselineReply BaselineReadRegisters(uint8_t bank, uint8_t start, uint8_t count, int32_t* values) {
    const Frame frame = BuildRequestFrame(Protocol(), bank, Operation::Read, start, count);
    FlushReceiveBuffer();
    WriteCommBytes(frame.bytes.data(), frame.size);
    std::this_thread::sleep_for(milliseconds(100));
    BaselineReply reply;
    reply.complete = PollReply();
    uint8_t received[serial::kReceiveBufferSize];
    reply.bytesReceived = serial::CopyReceiveBuffer(received, serial::kReceiveBufferSize);
    const int skip = Protocol().addressMode != 0 ? 1 : 0;
    ExtractValues(received + skip, static_cast<size_t>(reply.bytesReceived - skip), count, values);
    return reply;
}

}  // namespace bench
