#pragma once
// The line settings of the panel's data port, applied to a Windows device control block, and
// the port's time-outs.
#include <windows.h>

#include <cstdint>
#include <string>

namespace serial {

// The events RxThread waits for: EV_RXCHAR, EV_TXEMPTY, EV_CTS, EV_DSR, EV_RLSD, EV_BREAK,
// EV_ERR and EV_RING.
inline constexpr DWORD kCommEventMask = 0x1FD;
// The ones it acts on: EV_RXCHAR, EV_TXEMPTY, EV_BREAK and EV_ERR.
inline constexpr DWORD kCommWakeEvents = 0xC5;
// The modem-line events among them: EV_CTS, EV_DSR, EV_RLSD and EV_RING.
inline constexpr DWORD kCommModemEvents = EV_CTS | EV_DSR | EV_RLSD | EV_RING;

// Baud rate, 8 data bits, one stop bit, the parity of `parityCode` (0 none, 2 odd, any other
// even), binary, no flow control of any kind, no error character, RTS held on, abort on error.
// The parity-check flag, the DTR mode, transmit-continue-on-XOFF and null stripping stay as the
// driver reported them.
void ApplyCommSettings(DCB& dcb, unsigned baudRate, int parityCode);

// A read returns at once with the bytes already received: RxThread reads only what the driver
// reported queued, and a flush between that count and the read must not leave it waiting.
// Writes have no driver time-out; the link bounds them itself.
COMMTIMEOUTS ReadReturnsAtOnce();

// The system's text for an error code, without the trailing full stop and line end.
std::string SystemMessage(DWORD error);

// "RX_THREAD_COMM_EVENT" -> "RX_THREAD_COMM_EVENT_<process id>". Event names are shared by
// every process of the session: two instances of the tool on two ports would otherwise signal
// and reset each other's events.
std::string ProcessEventName(const char* name);

}  // namespace serial
