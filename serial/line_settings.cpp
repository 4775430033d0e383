#include "serial/line_settings.h"

namespace serial {

std::optional<speed_t> SpeedFor(unsigned baud) {
    switch (baud) {
        case 300:
            return B300;
        case 600:
            return B600;
        case 1200:
            return B1200;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        default:
            return std::nullopt;
    }
}

void ApplyLineSettings(termios& tio, speed_t speed, int parityCode) {
    // Binary, no flow control of any kind, no character replacement; parity checking (INPCK)
    // stays as the driver has it.
    tio.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR |
                                          ICRNL | IXON | IXOFF | IXANY);
    tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    tio.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB | CRTSCTS | PARENB | PARODD);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    if (parityCode == 2) {
        tio.c_cflag |= PARENB | PARODD;
    } else if (parityCode != 0) {
        tio.c_cflag |= PARENB;
    }
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
}

}  // namespace serial
