#include "serial/link_state.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <thread>

#include "serial/serial_link.h"

namespace serial {
namespace detail {

LinkState& State() {
    static LinkState link;
    return link;
}

bool PortOpen() {
    return State().port.load() != kNoPort;
}

void PrepareForOpen(unsigned baudRate) {
    LinkState& link = State();
    {
        std::lock_guard lock(link.buffer.mutex);
        link.buffer.Reset();
    }
    link.stopRequest = false;
    {
        std::lock_guard gate(link.writeMutex);
        link.closing = false;
    }
    link.characterTimeNs = 11'000'000'000LL / std::max(baudRate, 1u);
}

void SettleAfterOpen() {
    LinkState& link = State();
    // The quiet gap counts from the open: bytes may be on their way that no one has seen yet.
    NoteReceived();
    if (!SettleLine()) {
        Diagnostic("the line was still busy 300 ms after the port opened; flushed\n");
    }
    FlushReceiveBuffer();
    ++link.connections;
}

void MarkRxStarting() {
    LinkState& link = State();
    link.rxRunning = true;
    std::lock_guard guard(link.endMutex);
    link.rxEnded = false;
}

void MarkRxEnded() {
    LinkState& link = State();
    link.rxRunning = false;
    link.buffer.changed.notify_all();
    {
        std::lock_guard guard(link.endMutex);
        link.rxEnded = true;
    }
    link.endChanged.notify_all();
}

bool WaitRxEnded(std::chrono::milliseconds limit) {
    LinkState& link = State();
    std::unique_lock lock(link.endMutex);
    return link.endChanged.wait_for(lock, limit, [&] { return link.rxEnded; });
}

void SetOpenResult(const std::string& devicePath, const std::string& error) {
    std::lock_guard guard(State().configMutex);
    State().lastDevicePath = devicePath;
    State().lastOpenError = error;
}

std::function<uint32_t(int)> LineErrorSource() {
    std::lock_guard guard(State().configMutex);
    return State().lineErrorSource;
}

std::function<int(int)> OutputQueueSource() {
    std::lock_guard guard(State().configMutex);
    return State().outputQueueSource;
}

void NotifyRxErrors(uint32_t errors) {
    std::function<void(uint32_t)> notifier;
    {
        std::lock_guard guard(State().configMutex);
        notifier = State().rxErrorNotifier;
    }
    if (notifier) {
        notifier(errors);
    } else {
        char line[64];
        std::snprintf(line, sizeof line, "rxerrors (0x%03X)\n", static_cast<unsigned>(errors));
        Diagnostic(line);
    }
}

void NotifyRxEnd() {
    std::function<void()> notifier;
    {
        std::lock_guard guard(State().configMutex);
        notifier = State().rxEndNotifier;
    }
    if (notifier) {
        notifier();
    } else {
        Diagnostic("end rxthread\n");
    }
}

void NoteSending(int bytes) {
    LinkState& link = State();
    const Clock::rep now = Clock::now().time_since_epoch().count();
    const Clock::rep start = std::max(now, link.sendingEnds.load());
    link.sendingEnds =
        start + std::chrono::duration_cast<Clock::duration>(bytes * CharacterTime()).count();
}

void NoteReceived() {
    State().lastReceived = Clock::now().time_since_epoch().count();
}

bool DrainWithinAllowance(const std::function<int()>& queued) {
    // A frame's drain; beyond this the adapter is wedged and waiting longer would only freeze
    // the window.
    constexpr auto kDrainAllowance = std::chrono::milliseconds(2000);
    constexpr auto kLongestStep = std::chrono::milliseconds(20);
    const auto deadline = Clock::now() + kDrainAllowance;
    for (;;) {
        const int bytes = queued();
        if (bytes <= 0) {
            return true;
        }
        const auto now = Clock::now();
        if (now >= deadline) {
            return false;
        }
        auto step = std::chrono::duration_cast<Clock::duration>(bytes * CharacterTime());
        step = std::clamp<Clock::duration>(step, std::chrono::milliseconds(1), kLongestStep);
        std::this_thread::sleep_for(std::min<Clock::duration>(step, deadline - now));
    }
}

}  // namespace detail

using namespace detail;

bool IsPortOpen() {
    return PortOpen();
}

int WaitReceivedByte(uint8_t* byte, std::chrono::milliseconds timeout) {
    LinkState& link = State();
    if (!PortOpen()) {
        return 0;
    }
    auto deadline = Clock::now() + timeout;
    std::unique_lock lock(link.buffer.mutex);
    // A closed port or a receive thread that has ended will bring no more bytes.
    link.buffer.changed.wait_until(lock, deadline, [&] {
        return link.buffer.HasUnread() || !PortOpen() || !link.rxRunning.load();
    });
    if (!PortOpen()) {
        return 0;
    }
    return link.buffer.Take(byte) ? 1 : 0;
}

std::string LastOpenError() {
    std::lock_guard guard(State().configMutex);
    return State().lastOpenError;
}

std::string LastDevicePath() {
    std::lock_guard guard(State().configMutex);
    return State().lastDevicePath;
}

void SetDiagnosticSink(std::function<void(const std::string&)> sink) {
    std::lock_guard guard(State().configMutex);
    State().diagnosticSink = std::move(sink);
}

void Diagnostic(const std::string& line) {
    std::function<void(const std::string&)> sink;
    {
        std::lock_guard guard(State().configMutex);
        sink = State().diagnosticSink;
    }
    if (sink) {
        sink(line);
        return;
    }
    static std::mutex outputMutex;
    std::lock_guard guard(outputMutex);
    std::fputs(line.c_str(), stdout);
    std::fflush(stdout);
}

void SetRxErrorNotifier(std::function<void(uint32_t)> notifier) {
    std::lock_guard guard(State().configMutex);
    State().rxErrorNotifier = std::move(notifier);
}

void SetRxEndNotifier(std::function<void()> notifier) {
    std::lock_guard guard(State().configMutex);
    State().rxEndNotifier = std::move(notifier);
}

void SetLineErrorSource(std::function<uint32_t(int)> source) {
    std::lock_guard guard(State().configMutex);
    State().lineErrorSource = std::move(source);
}

void SetOutputQueueSource(std::function<int(int)> source) {
    std::lock_guard guard(State().configMutex);
    State().outputQueueSource = std::move(source);
}

std::chrono::nanoseconds CharacterTime() {
    return std::chrono::nanoseconds(State().characterTimeNs.load());
}

bool WaitLineQuiet(std::chrono::milliseconds gap, std::chrono::milliseconds limit) {
    LinkState& link = State();
    const auto deadline = Clock::now() + limit;
    for (;;) {
        if (!PortOpen() || !link.rxRunning.load()) {
            return true;  // nothing more will arrive
        }
        const Clock::time_point busy(
            Clock::duration(std::max(link.lastReceived.load(), link.sendingEnds.load())));
        const auto quietAt = busy + gap;
        const auto now = Clock::now();
        if (now >= quietAt) {
            return true;
        }
        if (now >= deadline) {
            return false;
        }
        std::this_thread::sleep_until(std::min(quietAt, deadline));
    }
}

std::chrono::milliseconds QuietGap() {
    const auto characters = std::chrono::ceil<std::chrono::milliseconds>(4 * CharacterTime());
    return std::max<std::chrono::milliseconds>(std::chrono::milliseconds(10), characters);
}

bool SettleLine() {
    return WaitLineQuiet(QuietGap(), kLongestQuietWait);
}

std::chrono::steady_clock::time_point LastArrival() {
    return Clock::time_point(Clock::duration(State().lastReceived.load()));
}

unsigned ConnectionNumber() {
    return State().connections.load();
}

ReceiveBufferState ReceiveState() {
    std::lock_guard lock(State().buffer.mutex);
    return {State().buffer.fillCount(), State().buffer.readPosition(), State().buffer.lineErrors()};
}

int CopyReceiveBuffer(uint8_t* out, int maxBytes) {
    std::lock_guard lock(State().buffer.mutex);
    int n = std::clamp(maxBytes, 0, ReceiveBuffer::kSize);
    std::memcpy(out, State().buffer.data(), static_cast<size_t>(n));
    return State().buffer.fillCount();
}

}  // namespace serial

int GetReceivedByte(uint8_t* byte) {
    using namespace serial::detail;
    if (!PortOpen()) {
        return 0;
    }
    std::lock_guard lock(State().buffer.mutex);
    return State().buffer.Take(byte) ? 1 : 0;
}
