#pragma once
// What the serial link keeps whatever the platform: the port's "is open" value, the receive
// buffer and its waiters, the closing gate, the receive thread's end, the hooks, and the
// line's timing. serial_link_posix.cpp and serial_link_win32.cpp add the OS calls around it.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "serial/receive_buffer.h"

namespace serial::detail {

using Clock = std::chrono::steady_clock;

// The value of `port` while no port is open: -1 is both "no descriptor" on POSIX and the
// invalid handle (all bits set) on Windows.
inline constexpr intptr_t kNoPort = -1;

struct LinkState {
    // The open port: a file descriptor on POSIX, a HANDLE on Windows.
    std::atomic<intptr_t> port{kNoPort};
    std::atomic<bool> stopRequest{false};
    std::atomic<bool> rxRunning{false};

    ReceiveBuffer buffer;

    // Held while bytes go out. Closing sets `closing` under it, so a request sent from another
    // thread than the one closing goes out before the closing 0x00 or not at all.
    std::mutex writeMutex;
    bool closing = false;

    std::mutex configMutex;  // guards the strings and hooks below
    std::string lastOpenError;
    std::string lastDevicePath;
    std::function<void(const std::string&)> diagnosticSink;
    std::function<void(uint32_t)> rxErrorNotifier;
    std::function<void()> rxEndNotifier;
    std::function<uint32_t(int)> lineErrorSource;
    std::function<int(int)> outputQueueSource;

    // One character on the line, counted with a parity bit (start, 8 data, parity, stop) so
    // that it is never shorter than the real one.
    std::atomic<int64_t> characterTimeNs{0};
    // When the line was last busy (steady clock): the last byte received, and the estimated
    // end on the wire of the last bytes written.
    std::atomic<Clock::rep> lastReceived{0};
    std::atomic<Clock::rep> sendingEnds{0};
    std::atomic<unsigned> connections{0};

    // The receive thread's end, so that closing can bound its wait.
    std::mutex endMutex;
    std::condition_variable endChanged;
    bool rxEnded = true;
};

LinkState& State();

bool PortOpen();

// A port is about to be handed to a new receive thread: the buffer emptied, the stop request
// and the closing gate cleared, the line timing set for `baudRate`.
void PrepareForOpen(unsigned baudRate);
// The port is open and its receive thread running: the bytes still arriving from before the
// open (the tail of a reply to another program, or to an earlier run that was killed) are
// waited out and flushed, so that the first request does not take them for its reply.
void SettleAfterOpen();
// The receive thread is about to start (running, not ended) or could not be started.
void MarkRxStarting();
// Called last by the receive thread (and by an open whose thread never started): wakes
// whoever waits for a byte or for the thread's end.
void MarkRxEnded();
// False when the receive thread has not ended within `limit`.
bool WaitRxEnded(std::chrono::milliseconds limit);

void SetOpenResult(const std::string& devicePath, const std::string& error);

// The test hooks, or empty functions when none is set.
std::function<uint32_t(int)> LineErrorSource();
std::function<int(int)> OutputQueueSource();

// "rxerrors" and "end rxthread": the notifier when one is set, otherwise a diagnostic line.
void NotifyRxErrors(uint32_t errors);
void NotifyRxEnd();

// The bytes just handed to the driver occupy the line for their wire time after whatever is
// still going out.
void NoteSending(int bytes);
// Bytes were appended to the receive buffer (call with the buffer's lock held).
void NoteReceived();

// Waits while `queued` (the bytes still in the driver's output queue) is above 0, for at most
// the allowance of one frame's drain: false when the queue did not empty in time.
bool DrainWithinAllowance(const std::function<int()>& queued);

}  // namespace serial::detail
