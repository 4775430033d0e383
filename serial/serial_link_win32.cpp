// The serial link on Windows: the Win32 communications calls on a COM port opened for
// overlapped I/O, WaitCommEvent to wake the receive thread, ClearCommError for the line's
// errors and queue counts. A stop event lets closing wake the thread whatever the driver does.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "serial/comm_settings_win32.h"
#include "serial/link_state.h"
#include "serial/open_failure_win32.h"
#include "serial/port_name.h"
#include "serial/serial_link.h"

namespace serial {
namespace {

using namespace detail;

constexpr DWORD kThreadEndWaitMs = 2000;
// How much of that the thread gets to end on the closing byte's transmit-empty event alone.
constexpr DWORD kOwnEndWaitMs = 200;
// How long the receive thread leaves the port alone after wake-ups that brought nothing, so
// that a driver which keeps ending the event wait at once (Wine does on a pseudo-terminal)
// cannot make it spin; also how often it looks at the queue while a driver has not yet shown
// that it reports events.
constexpr DWORD kEmptyWakeRestMs = 5;
// How long an event wait may run before the thread looks at the queue itself, on a driver that
// has shown it reports events. A driver that loses an event (Wine does on a pseudo-terminal,
// now and then after it has reported others) then delays a reply by this much; a loaded
// machine adds its own delay on top, and the whole must stay well inside the per-byte
// allowance of the reply wait.
constexpr DWORD kEventSafetyNetMs = 100;
// A frame is at most 36 bytes; even at 300 baud that leaves the driver in about 1.2 s.
constexpr DWORD kWriteAllowanceMs = 3000;

// What only the Windows link has.
struct Win32Link {
    HANDLE thread = nullptr;
    // Set by closing; the receive thread waits for it beside its port event.
    HANDLE stopEvent = nullptr;
    // Error bits that a ClearCommError outside the receive thread took from the driver; the
    // thread reports them with its own. Guarded by the buffer's lock.
    uint32_t pendingErrors = 0;
};

Win32Link& W() {
    static Win32Link link;
    return link;
}

HANDLE PortHandle() {
    return reinterpret_cast<HANDLE>(State().port.load());
}

// One overlapped operation: its OVERLAPPED and the memory the driver fills in. Windows and
// Wine write into both when the operation ends, even after the thread that started it has
// gone, so a record whose operation could not be ended is left allocated, not freed under the
// driver (see Release).
struct Operation {
    explicit Operation(HANDLE event) { ov.hEvent = event; }
    // Ready for the next operation on the same event (only once the last one has ended).
    void Restart() {
        HANDLE event = ov.hEvent;
        ov = OVERLAPPED{};
        ov.hEvent = event;
        ::ResetEvent(event);
        value = 0;
    }
    OVERLAPPED ov{};
    DWORD value = 0;  // WaitCommEvent's event mask
    uint8_t bytes[kMaxReadPerWake] = {};
};

// Frees a record, or keeps it for good when its operation is still under way.
void Release(Operation* op) {
    if (op == nullptr) {
        return;
    }
    if (!HasOverlappedIoCompleted(&op->ov)) {
        Diagnostic("an operation on the port could not be ended; its memory is kept\n");
        return;
    }
    delete op;
}

// Waits for an overlapped operation to complete, for at most `timeoutMs`, or until `stop` is
// set. True when it completed. An event set while the operation is still pending (by another
// program that uses an event of the same name, say) is not taken for its completion.
bool AwaitOverlapped(OVERLAPPED& ov, HANDLE stop, DWORD timeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (HasOverlappedIoCompleted(&ov)) {
            return true;
        }
        DWORD wait = INFINITE;
        if (timeoutMs != INFINITE) {
            const ULONGLONG now = ::GetTickCount64();
            if (now >= deadline) {
                return false;
            }
            wait = static_cast<DWORD>(deadline - now);
        }
        HANDLE handles[2] = {ov.hEvent, stop};
        DWORD woke = ::WaitForMultipleObjects(stop != nullptr ? 2 : 1, handles, FALSE, wait);
        if (HasOverlappedIoCompleted(&ov)) {
            return true;
        }
        if (woke != WAIT_OBJECT_0) {
            return false;  // stopped, timed out, or the wait itself failed
        }
        // Signalled by someone else: start over with the event cleared; a completion in
        // between sets it again.
        ::ResetEvent(ov.hEvent);
    }
}

// Ends an operation that is still pending and waits, a bounded time, until it has. It may be
// about to end by itself (under Wine every event wait on a pseudo-terminal does, at once); an
// event wait then ends when the mask is set again (as Windows documents for SetCommMask);
// anything else is cancelled. False when it is still pending.
bool EndPending(HANDLE port, OVERLAPPED& ov, bool eventWait) {
    constexpr DWORD kOwnEndMs = 50;
    constexpr DWORD kEndWaitMs = 250;
    if (AwaitOverlapped(ov, nullptr, kOwnEndMs)) {
        return true;
    }
    DWORD mask = 0;
    if (eventWait && ::GetCommMask(port, &mask) && ::SetCommMask(port, mask) &&
        AwaitOverlapped(ov, nullptr, kEndWaitMs)) {
        return true;
    }
    ::CancelIoEx(port, &ov);
    return AwaitOverlapped(ov, nullptr, kEndWaitMs);
}

// The line's new error bits: the test hook's, or the driver's from the ClearCommError just
// made, with those another caller took meanwhile.
uint32_t TakeLineErrors(DWORD driverErrors) {
    Win32Link& w = W();
    std::function<uint32_t(int)> source = LineErrorSource();
    uint32_t errors = (source ? source(0) : driverErrors) | w.pendingErrors;
    w.pendingErrors = 0;
    return errors;
}

void PurgeAll(HANDLE port) {
    ::PurgeComm(port, PURGE_TXABORT | PURGE_RXABORT);
    ::PurgeComm(port, PURGE_TXCLEAR | PURGE_RXCLEAR);
}

void EscapeDtr(HANDLE port, DWORD function) {
    if (!::EscapeCommFunction(port, function)) {
        // A pseudo-terminal behind Wine's COM port has no modem lines; the link works without.
        Diagnostic("DTR not changed: " + SystemMessage(::GetLastError()) + "\n");
    }
}

bool WriteBytes(HANDLE port, const uint8_t* bytes, DWORD length) {
    HANDLE doneEvent = ::CreateEventA(nullptr, TRUE, FALSE, ProcessEventName("WRT_SYNC").c_str());
    if (doneEvent == nullptr) {
        return false;
    }
    auto* op = new Operation(doneEvent);
    DWORD written = 0;
    bool done = ::WriteFile(port, bytes, length, &written, &op->ov) != 0;
    DWORD error = done ? ERROR_SUCCESS : ::GetLastError();
    if (error == ERROR_IO_PENDING) {
        if (!AwaitOverlapped(op->ov, nullptr, kWriteAllowanceMs)) {
            EndPending(port, op->ov, false);
            error = ERROR_TIMEOUT;
        } else if (::GetOverlappedResult(port, &op->ov, &written, FALSE)) {
            error = ERROR_SUCCESS;
        } else {
            error = ::GetLastError();
        }
    }
    const bool ok = error == ERROR_SUCCESS && written == length;
    if (error != ERROR_SUCCESS) {
        Diagnostic("write failed: " + SystemMessage(error) + "\n");
    }
    NoteSending(static_cast<int>(written));
    Release(op);
    ::CloseHandle(doneEvent);  // the driver holds its own reference while it needs the event
    return ok;
}

// What one wake-up of the port came to.
enum class Wake { kHandled, kMoreQueued, kNothingToRead, kStopped };

// Handles one wake-up under the buffer's lock: line errors first, otherwise up to 128 of the
// bytes the driver holds, read into `read`.
Wake ReceiveOnce(LinkState& link, HANDLE port, Operation& read, HANDLE stop) {
    std::unique_lock lock(link.buffer.mutex);
    DWORD driverErrors = 0;
    COMSTAT status{};
    if (!::ClearCommError(port, &driverErrors, &status)) {
        return Wake::kNothingToRead;
    }
    const uint32_t errors = TakeLineErrors(driverErrors) & kErrMask;
    if (errors != 0) {
        link.buffer.setLineErrors(errors);
        NotifyRxErrors(errors);
        if (errors & (kErrBreak | kErrIo)) {
            PurgeAll(port);
        } else {
            ::PurgeComm(port, PURGE_RXCLEAR);
            link.buffer.Reset();
        }
        return Wake::kHandled;
    }
    if (status.cbInQue == 0) {
        return Wake::kNothingToRead;
    }
    const DWORD wanted = std::min<DWORD>(status.cbInQue, kMaxReadPerWake);
    read.Restart();
    DWORD got = 0;
    bool ok = ::ReadFile(port, read.bytes, wanted, &got, &read.ov) != 0;
    if (!ok && ::GetLastError() == ERROR_IO_PENDING) {
        // The time-outs make a read return at once; this wait is for a driver that ignores them.
        if (!AwaitOverlapped(read.ov, stop, INFINITE)) {
            EndPending(port, read.ov, false);
            return Wake::kStopped;
        }
        ok = ::GetOverlappedResult(port, &read.ov, &got, FALSE) != 0;
    }
    if (!ok) {
        Diagnostic("read failed: " + SystemMessage(::GetLastError()) + "\n");
        return Wake::kNothingToRead;
    }
    if (got == 0) {
        return Wake::kNothingToRead;
    }
    link.buffer.Append(read.bytes, static_cast<int>(got));
    NoteReceived();
    lock.unlock();
    link.buffer.changed.notify_all();
    // An event announces arriving bytes, not bytes still queued: what is left now would wait
    // for the next byte to come.
    return status.cbInQue > got ? Wake::kMoreQueued : Wake::kHandled;
}

// A port whose driver cannot report its modem lines (Wine's COM port on a pseudo-terminal)
// refuses the whole event wait while the mask asks for them.
bool RefusesModemEvents(DWORD error) {
    return error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_PARAMETER;
}

// Drops the modem-line events, which the thread ignores anyway, from the port's mask. False
// when there were none to drop.
bool NarrowToDataEvents(HANDLE port) {
    DWORD mask = 0;
    if (!::GetCommMask(port, &mask) || (mask & kCommModemEvents) == 0 ||
        !::SetCommMask(port, mask & ~kCommModemEvents)) {
        return false;
    }
    Diagnostic("the port cannot report its modem lines; waiting for data events only\n");
    return true;
}

// How one turn of the receive loop ended.
enum class Turn { kEvents, kLookAgain, kStop, kDeviceGone };

// Starts an event wait unless one is under way, and waits for it a bounded time. A wait that
// does not end in time leaves the thread to look at the driver's queue itself: under Wine an
// event wait on a pseudo-terminal reports no events and sometimes never ends at all.
Turn AwaitEvents(LinkState& link, HANDLE port, Operation& wait, bool& pending, bool& narrowed,
                 bool& eventsSeen, DWORD& events) {
    events = 0;
    if (!pending) {
        wait.Restart();
        if (::WaitCommEvent(port, &wait.value, &wait.ov)) {
            events = wait.value;
            return Turn::kEvents;
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_IO_PENDING) {
            if (!narrowed && RefusesModemEvents(error)) {
                narrowed = NarrowToDataEvents(port);
                if (narrowed) {
                    return Turn::kLookAgain;
                }
            }
            Diagnostic("waiting for the port failed: " + SystemMessage(error) + "\n");
            return Turn::kDeviceGone;
        }
        pending = true;
    }
    // A driver that has reported events is trusted to report the next; until then the queue
    // is looked at every few milliseconds.
    const DWORD lookMs = eventsSeen ? kEventSafetyNetMs : kEmptyWakeRestMs;
    const bool ended = AwaitOverlapped(wait.ov, W().stopEvent, lookMs);
    if (link.stopRequest) {
        return Turn::kStop;
    }
    if (!ended) {
        events = EV_RXCHAR;  // not reported, but bytes may be there all the same
        return Turn::kLookAgain;
    }
    pending = false;
    DWORD ignored = 0;
    if (::GetOverlappedResult(port, &wait.ov, &ignored, FALSE)) {
        events = wait.value;
        eventsSeen = eventsSeen || events != 0;
        return Turn::kEvents;
    }
    const DWORD failure = ::GetLastError();
    if (failure == ERROR_OPERATION_ABORTED) {
        return Turn::kLookAgain;  // a purge, or Wine, ended the wait without an event
    }
    Diagnostic("waiting for the port failed: " + SystemMessage(failure) + "\n");
    return Turn::kDeviceGone;
}

DWORD WINAPI RxThread(LPVOID) {
    LinkState& link = State();
    const HANDLE port = PortHandle();
    const HANDLE stop = W().stopEvent;
    HANDLE commEvent =
        ::CreateEventA(nullptr, TRUE, FALSE, ProcessEventName("RX_THREAD_COMM_EVENT").c_str());
    HANDLE readDone =
        ::CreateEventA(nullptr, TRUE, FALSE, ProcessEventName("RD_SYNC_EVENT").c_str());
    Operation* wait = commEvent != nullptr ? new Operation(commEvent) : nullptr;
    Operation* read = readDone != nullptr ? new Operation(readDone) : nullptr;
    bool vanished = false;
    bool pending = false;
    if (wait != nullptr && read != nullptr) {
        DWORD ignoredErrors = 0;
        ::ClearCommError(port, &ignoredErrors, nullptr);
        {
            std::lock_guard lock(link.buffer.mutex);
            TakeLineErrors(0);  // only errors from now on count
        }
        bool narrowed = false;
        bool eventsSeen = false;
        bool readAgain = false;
        int fruitlessWakes = 0;
        while (!link.stopRequest) {
            DWORD events = EV_RXCHAR;
            Turn turn = Turn::kEvents;
            if (!readAgain) {
                turn = AwaitEvents(link, port, *wait, pending, narrowed, eventsSeen, events);
                if (turn == Turn::kStop) {
                    break;
                }
                if (turn == Turn::kDeviceGone) {
                    vanished = true;
                    break;
                }
            }
            Wake wake = Wake::kNothingToRead;
            if ((events & kCommWakeEvents) != 0) {
                wake = ReceiveOnce(link, port, *read, stop);
            }
            if (wake == Wake::kStopped) {
                break;
            }
            readAgain = wake == Wake::kMoreQueued;
            // One empty wake-up is normal (the transmit-empty event after a write, a flush that
            // took the bytes first); several in a row are a driver that completes at once.
            // Looking at the queue while a wait is under way has waited already.
            if (pending || wake != Wake::kNothingToRead) {
                fruitlessWakes = 0;
            } else if (++fruitlessWakes >= 2) {
                ::WaitForSingleObject(stop, kEmptyWakeRestMs);
            }
        }
    }
    if (vanished && !link.stopRequest) {
        NotifyRxEnd();
    }
    if (pending) {
        EndPending(port, wait->ov, true);
    }
    Release(wait);
    Release(read);
    for (HANDLE event : {commEvent, readDone}) {
        if (event != nullptr) {
            ::CloseHandle(event);
        }
    }
    MarkRxEnded();
    return 0;
}

int OutputQueued(HANDLE port) {
    if (std::function<int(int)> source = OutputQueueSource()) {
        return source(0);
    }
    std::lock_guard lock(State().buffer.mutex);
    DWORD driverErrors = 0;
    COMSTAT status{};
    if (!::ClearCommError(port, &driverErrors, &status)) {
        return 0;
    }
    // The call cleared them in the driver; the receive thread still reports them.
    W().pendingErrors |= driverErrors;
    return static_cast<int>(status.cbOutQue);
}

int FailOpen(HANDLE port, const std::string& device, const std::string& error) {
    if (port != INVALID_HANDLE_VALUE) {
        ::CloseHandle(port);
    }
    SetOpenResult(device, error);
    Diagnostic("cannot open COM port: " + error + "\n");
    return 0;
}

}  // namespace

uint64_t RxThreadCpuTimeNs() {
    Win32Link& w = W();
    if (!State().rxRunning || w.thread == nullptr) {
        return 0;
    }
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!::GetThreadTimes(w.thread, &created, &exited, &kernel, &user)) {
        return 0;
    }
    auto ticks = [](const FILETIME& t) {
        return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return (ticks(kernel) + ticks(user)) * 100;  // 100 ns units
}

}  // namespace serial

using namespace serial;
using namespace serial::detail;

int OpenCommPort(unsigned portNumber, unsigned baudRate, int parityCode) {
    LinkState& link = State();
    Win32Link& w = W();
    if (PortOpen()) {
        // A second open would leak the port and start a second receive thread.
        CloseCommPort();
    }
    const std::string device = ComDeviceName(portNumber);
    if (portNumber < 1 || portNumber > 255) {
        return FailOpen(INVALID_HANDLE_VALUE, device,
                        "no such COM port number: " + std::to_string(portNumber));
    }
    if (baudRate == 0) {
        return FailOpen(INVALID_HANDLE_VALUE, device, "unsupported baud rate: 0");
    }
    HANDLE port = ::CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        return FailOpen(port, device, OpenFailureText(::GetLastError(), device));
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(port, &dcb)) {
        return FailOpen(port, device, "not a serial port: " + device);
    }
    ApplyCommSettings(dcb, baudRate, parityCode);
    if (!::SetCommState(port, &dcb)) {
        Diagnostic("line settings not applied: " + SystemMessage(::GetLastError()) + "\n");
    }
    COMMTIMEOUTS timeouts = ReadReturnsAtOnce();
    if (!::SetCommTimeouts(port, &timeouts)) {
        Diagnostic("time-outs not applied: " + SystemMessage(::GetLastError()) + "\n");
    }
    DWORD mask = 0;
    if (!::GetCommMask(port, &mask)) {
        mask = 0;
    }
    ::SetCommMask(port, mask | kCommEventMask);
    EscapeDtr(port, SETDTR);
    PurgeAll(port);

    HANDLE stop = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (stop == nullptr) {
        Diagnostic("Failed to create RxThread.\n");
        return FailOpen(port, device, "cannot create the receive thread");
    }
    PrepareForOpen(baudRate);
    {
        std::lock_guard lock(link.buffer.mutex);
        w.pendingErrors = 0;
    }
    w.stopEvent = stop;
    link.port = reinterpret_cast<intptr_t>(port);
    MarkRxStarting();
    w.thread = ::CreateThread(nullptr, 0, RxThread, nullptr, 0, nullptr);
    if (w.thread == nullptr) {
        Diagnostic("Failed to create RxThread.\n");
        // A port left open without its receive thread would be busy for the next Connect.
        link.port = kNoPort;
        MarkRxEnded();
        ::CloseHandle(stop);
        w.stopEvent = nullptr;
        return FailOpen(port, device, "cannot create the receive thread");
    }
    SetOpenResult(device, "");
    SettleAfterOpen();
    return 1;
}

int CloseCommPort() {
    LinkState& link = State();
    Win32Link& w = W();
    if (!PortOpen()) {
        return 0;
    }
    HANDLE port = PortHandle();
    link.stopRequest = true;
    {
        std::lock_guard gate(link.writeMutex);
        link.closing = true;
        EscapeDtr(port, CLRDTR);
        PurgeAll(port);
        const uint8_t zero = 0;
        WriteBytes(port, &zero, 1);
    }
    // The transmit-empty event after the 0x00 wakes the thread, which sees the stop request and
    // ends. A driver that reports no such event is woken through the stop event.
    if (::WaitForSingleObject(w.thread, kOwnEndWaitMs) != WAIT_OBJECT_0) {
        ::SetEvent(w.stopEvent);
        if (::WaitForSingleObject(w.thread, kThreadEndWaitMs - kOwnEndWaitMs) != WAIT_OBJECT_0) {
            Diagnostic("RxThread failed to terminate properly.\n");
            // Its port must outlive it: end what it waits for, then wait for it.
            ::CancelIoEx(port, nullptr);
            ::WaitForSingleObject(w.thread, INFINITE);
        }
    }
    ::CloseHandle(w.thread);
    w.thread = nullptr;
    ::CloseHandle(w.stopEvent);
    w.stopEvent = nullptr;
    link.port = kNoPort;
    const BOOL closed = ::CloseHandle(port);
    link.buffer.changed.notify_all();
    return closed ? 1 : 0;
}

int WriteCommBytes(const uint8_t* bytes, uint8_t length) {
    LinkState& link = State();
    std::lock_guard gate(link.writeMutex);
    if (!PortOpen() || link.closing) {
        return 0;
    }
    return WriteBytes(PortHandle(), bytes, length) ? 1 : 0;
}

int WaitTransmitDrain() {
    if (!PortOpen()) {
        return 0;
    }
    HANDLE port = PortHandle();
    return DrainWithinAllowance([port] { return OutputQueued(port); }) ? 1 : 0;
}

int FlushReceiveBuffer() {
    LinkState& link = State();
    if (!PortOpen()) {
        return 0;
    }
    HANDLE port = PortHandle();
    std::lock_guard lock(link.buffer.mutex);
    DWORD driverErrors = 0;
    ::ClearCommError(port, &driverErrors, nullptr);
    ::PurgeComm(port, PURGE_RXCLEAR);
    // Errors in the bytes just thrown away are no news for the next wake-up: they become the
    // baseline.
    TakeLineErrors(driverErrors);
    link.buffer.Reset();
    return 1;
}
