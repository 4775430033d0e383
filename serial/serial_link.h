#pragma once
// The one serial link of the process: the COM port, the receive thread and the 512-byte
// receive buffer it fills. Plain functions on process-wide state, called on the user-interface
// thread; only RxThread runs elsewhere. One implementation per platform behind this header:
// serial_link_posix.cpp (termios, poll) and serial_link_win32.cpp (the Win32 comm calls).
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

// 1 on success, 0 on failure. parityCode: 0 none, 1 even, 2 odd (anything else even).
int OpenCommPort(unsigned portNumber, unsigned baudRate, int parityCode);
// 0 if the port was not open, otherwise non-zero when the port closed cleanly.
int CloseCommPort();
// Non-zero when every byte was written.
int WriteCommBytes(const uint8_t* bytes, uint8_t length);
// 1 once the driver's output queue is empty, 0 when it is still not after about 2 s or the
// port is closed.
int WaitTransmitDrain();
// Empties the driver's input queue and the receive buffer; 1, or 0 when closed.
int FlushReceiveBuffer();
// Non-blocking: 1 and the next unread byte, or 0 when none is there or the port is closed.
int GetReceivedByte(uint8_t* byte);

namespace serial {

// Line error bits, as the receive thread reports them.
inline constexpr uint32_t kErrRxOver = 0x0001;
inline constexpr uint32_t kErrOverrun = 0x0002;
inline constexpr uint32_t kErrParity = 0x0004;
inline constexpr uint32_t kErrFrame = 0x0008;
inline constexpr uint32_t kErrBreak = 0x0010;
inline constexpr uint32_t kErrIo = 0x0400;
inline constexpr uint32_t kErrMask = 0x041F;

inline constexpr int kReceiveBufferSize = 512;
inline constexpr int kMaxReadPerWake = 128;

bool IsPortOpen();

// Like GetReceivedByte, but waits up to `timeout` for a byte to arrive. Wakes the moment
// RxThread appends one, so a reply costs no more than its time on the line.
int WaitReceivedByte(uint8_t* byte, std::chrono::milliseconds timeout);

// Why the last OpenCommPort failed, in words a user can act on ("" after a success).
std::string LastOpenError();

// Device path the link opened (or tried to open) last.
std::string LastDevicePath();

// Where diagnostic lines go (standard output unless replaced). The user never sees them.
void SetDiagnosticSink(std::function<void(const std::string&)> sink);
void Diagnostic(const std::string& line);

// Called on RxThread, with the buffer lock held, when the line reports errors ("rxerrors").
// The default writes a diagnostic line.
void SetRxErrorNotifier(std::function<void(uint32_t errors)> notifier);

// Called on RxThread when it ends because the device went away rather than being closed
// ("end rxthread"). The default writes a diagnostic line.
void SetRxEndNotifier(std::function<void()> notifier);

// Where RxThread reads the line's error bits from. The default reads the driver's error
// counters (ClearCommError on Windows); tests that cannot make a pseudo-terminal produce a
// framing error set their own. `fd` is the port's descriptor on POSIX, 0 on Windows.
void SetLineErrorSource(std::function<uint32_t(int fd)> source);

// Where WaitTransmitDrain reads the driver's output-queue count from (default TIOCOUTQ, or
// ClearCommError on Windows); a pseudo-terminal never holds output back, so tests of a wedged
// adapter set their own. `fd` as above.
void SetOutputQueueSource(std::function<int(int fd)> source);

// How long one character takes on the line at the baud rate of the last opening.
std::chrono::nanoseconds CharacterTime();

// Waits until nothing has crossed the line for `gap`: no byte received, and the bytes last
// written are off the wire (by their wire time at the line's baud rate). False when the line
// is still busy after `limit`; true at once when the port is closed or its thread has ended.
bool WaitLineQuiet(std::chrono::milliseconds gap, std::chrono::milliseconds limit);

// The gap that ends a panel's transmission: four character times, but never under 10 ms, long
// enough for a panel that is still answering to send its next byte.
std::chrono::milliseconds QuietGap();
// Continuous noise longer than this is flushed with whatever else is there.
inline constexpr std::chrono::milliseconds kLongestQuietWait{300};
// WaitLineQuiet(QuietGap(), kLongestQuietWait): lets the tail of an earlier exchange arrive
// so that the next flush takes it, instead of the next request taking it for its reply. The
// link does it when a port opens; the protocol after a reply that was not the request's.
bool SettleLine();

// When the receive thread last put bytes in the receive buffer (the opening counts as such):
// the arrival of a reply's last byte, as seen from the link, once the reply is complete.
std::chrono::steady_clock::time_point LastArrival();

// Counts the successful opens of the process: what the panel has shown of itself holds for
// one connection only.
unsigned ConnectionNumber();

struct ReceiveBufferState {
    int fillCount;
    int readPosition;
    uint32_t lineErrors;
};
ReceiveBufferState ReceiveState();
// Copies the receive buffer from its start (what arrived since the last flush) and returns
// the fill count at that moment.
int CopyReceiveBuffer(uint8_t* out, int maxBytes);

// CPU time RxThread has used since the port was opened, in nanoseconds (0 when closed).
uint64_t RxThreadCpuTimeNs();

}  // namespace serial
