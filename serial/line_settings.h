#pragma once
// The line settings of the panel's data port, applied to a termios record: 8 data bits, one
// stop bit, the chosen parity, binary, no flow control.
#include <termios.h>

#include <optional>

namespace serial {

// The termios speed for a baud rate the link supports.
std::optional<speed_t> SpeedFor(unsigned baud);

// parityCode 0: none; 2: odd; anything else: even. Parity checking (INPCK) stays as the
// driver had it.
void ApplyLineSettings(termios& tio, speed_t speed, int parityCode);

}  // namespace serial
