// The serial link on POSIX: termios for the line settings, poll() for waiting, an eventfd to
// wake the receive thread, the driver's error counters for line errors.
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <optional>
#include <thread>

#include "serial/line_settings.h"
#include "serial/link_state.h"
#include "serial/open_failure.h"
#include "serial/port_name.h"
#include "serial/serial_link.h"

namespace serial {
namespace {

using namespace detail;

constexpr auto kThreadEndWait = std::chrono::milliseconds(2000);
// How long the receive thread leaves the port alone after a wake-up with nothing to read.
constexpr int kEmptyWakeRestMs = 5;
// A frame is at most 36 bytes; even at 300 baud that leaves the driver in about 1.2 s.
constexpr auto kWriteAllowance = std::chrono::milliseconds(3000);

// What only the POSIX link has: the wake-up descriptor, the thread, its CPU clock.
struct PosixLink {
    int wakeFd = -1;
    std::thread rxThread;
    std::atomic<clockid_t> rxClock{0};
    std::atomic<bool> rxClockValid{false};
};

PosixLink& P() {
    static PosixLink link;
    return link;
}

int PortFd() {
    return static_cast<int>(State().port.load());
}

// The driver's error counters of a real UART; a pseudo-terminal has none and reports no errors.
uint32_t DriverLineErrors(int fd) {
    static serial_icounter_struct last{};
    static int lastFd = -1;
    serial_icounter_struct now{};
    if (::ioctl(fd, TIOCGICOUNT, &now) != 0) {
        return 0;
    }
    if (lastFd != fd) {
        last = now;
        lastFd = fd;
        return 0;
    }
    uint32_t errors = 0;
    if (now.buf_overrun != last.buf_overrun)
        errors |= kErrRxOver;
    if (now.overrun != last.overrun)
        errors |= kErrOverrun;
    if (now.parity != last.parity)
        errors |= kErrParity;
    if (now.frame != last.frame)
        errors |= kErrFrame;
    if (now.brk != last.brk)
        errors |= kErrBreak;
    last = now;
    return errors;
}

int OutputQueued(int fd) {
    if (std::function<int(int)> source = OutputQueueSource()) {
        return source(fd);
    }
    int queued = 0;
    return ::ioctl(fd, TIOCOUTQ, &queued) == 0 ? queued : 0;
}

uint32_t LineErrors(int fd) {
    std::function<uint32_t(int)> source = LineErrorSource();
    return source ? source(fd) : DriverLineErrors(fd);
}

void Purge(int fd) {
    ::tcflush(fd, TCIOFLUSH);
}

void SetModemLine(int fd, int request, int line, const char* what) {
    int bits = line;
    if (::ioctl(fd, request, &bits) != 0) {
        // A pseudo-terminal has no modem lines; the link works without them.
        Diagnostic(std::string(what) + " not changed: " + std::strerror(errno) + "\n");
    }
}

// A USB-serial adapter holds received bytes for its latency timer (16 ms by default) before it
// passes them on; low-latency mode takes that to 1 ms, which every reply byte gains.
void RequestLowLatency(int fd) {
    serial_struct settings{};
    bool refused = ::ioctl(fd, TIOCGSERIAL, &settings) != 0;
    if (!refused && (settings.flags & ASYNC_LOW_LATENCY) == 0) {
        settings.flags |= ASYNC_LOW_LATENCY;
        refused = ::ioctl(fd, TIOCSSERIAL, &settings) != 0;
    }
    if (refused) {
        // A pseudo-terminal has no such mode; the link works without it.
        Diagnostic(std::string("low-latency mode not set: ") + std::strerror(errno) + "\n");
    }
}

// What one wake-up of the port came to.
enum class Wake { kHandled, kNothingToRead, kDeviceGone };

// A device that has been unplugged or hung up refuses every request with one of these.
bool DeviceGoneError(int err) {
    return err == EIO || err == ENXIO || err == ENODEV || err == EBADF;
}

// Handles one wake-up of the port. A flush may have emptied the driver since poll() reported
// data, so an empty queue is normal; only a hang-up whose device refuses the read means the
// device has gone.
Wake ReceiveOnce(LinkState& link, int fd, short revents) {
    const bool hangup = (revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
    std::unique_lock lock(link.buffer.mutex);
    uint32_t errors = LineErrors(fd) & kErrMask;
    if (errors != 0) {
        link.buffer.setLineErrors(errors);
        NotifyRxErrors(errors);
        if (errors & (kErrBreak | kErrIo)) {
            Purge(fd);
        } else {
            ::tcflush(fd, TCIFLUSH);
            link.buffer.Reset();
        }
        return Wake::kHandled;
    }
    int queued = 0;
    if (::ioctl(fd, FIONREAD, &queued) != 0) {
        if (hangup && DeviceGoneError(errno)) {
            return Wake::kDeviceGone;
        }
        // A driver that cannot count its queue: the non-blocking read takes what is there.
        queued = kMaxReadPerWake;
    }
    if (queued <= 0) {
        return Wake::kNothingToRead;
    }
    uint8_t chunk[kMaxReadPerWake];
    ssize_t got = ::read(fd, chunk, static_cast<size_t>(std::min(queued, kMaxReadPerWake)));
    if (got > 0) {
        link.buffer.Append(chunk, static_cast<int>(got));
        NoteReceived();
        lock.unlock();
        link.buffer.changed.notify_all();
        return Wake::kHandled;
    }
    if (got < 0 && hangup && DeviceGoneError(errno)) {
        return Wake::kDeviceGone;
    }
    return Wake::kNothingToRead;
}

void RxThreadBody() {
    LinkState& link = State();
    PosixLink& posix = P();
    clockid_t clock{};
    if (::pthread_getcpuclockid(::pthread_self(), &clock) == 0) {
        posix.rxClock = clock;
        posix.rxClockValid = true;
    }
    int fd = PortFd();
    if (fd >= 0) {
        std::lock_guard lock(link.buffer.mutex);
        LineErrors(fd);  // take the error state as it is now; only new errors count
    }
    bool vanished = false;
    // A port that keeps reporting input with none to read is not watched again at once, so that
    // such a driver cannot make the thread spin.
    bool restPortWatch = false;
    while (!link.stopRequest && fd >= 0) {
        pollfd fds[2] = {{posix.wakeFd, POLLIN, 0}, {fd, POLLIN, 0}};
        int ready = restPortWatch ? ::poll(fds, 1, kEmptyWakeRestMs) : ::poll(fds, 2, -1);
        restPortWatch = false;
        if (link.stopRequest) {
            break;
        }
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            vanished = true;
            break;
        }
        if (fds[0].revents & POLLIN) {
            uint64_t count = 0;
            [[maybe_unused]] ssize_t n = ::read(posix.wakeFd, &count, sizeof count);
            continue;
        }
        if (ready == 0 || fds[1].revents == 0) {
            continue;
        }
        Wake wake = ReceiveOnce(link, fd, fds[1].revents);
        if (wake == Wake::kDeviceGone) {
            vanished = true;
            break;
        }
        restPortWatch = wake == Wake::kNothingToRead;
    }
    if (vanished && !link.stopRequest) {
        NotifyRxEnd();
    }
    MarkRxEnded();
}

bool ConfigureLine(int fd, speed_t speed, int parityCode) {
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        return false;
    }
    ApplyLineSettings(tio, speed, parityCode);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
        Diagnostic(std::string("line settings not applied: ") + std::strerror(errno) + "\n");
    }
    return true;
}

int FailOpen(int fd, const std::string& path, const std::string& error) {
    if (fd >= 0) {
        ::close(fd);
    }
    SetOpenResult(path, error);
    Diagnostic("cannot open COM port: " + error + "\n");
    return 0;
}

bool WriteAll(int fd, const uint8_t* bytes, size_t length) {
    auto deadline = Clock::now() + kWriteAllowance;
    size_t written = 0;
    while (written < length) {
        ssize_t n = ::write(fd, bytes + written, length - written);
        if (n > 0) {
            written += static_cast<size_t>(n);
            NoteSending(static_cast<int>(n));
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd out{fd, POLLOUT, 0};
        if (::poll(&out, 1, static_cast<int>(left.count())) < 0 && errno != EINTR) {
            return false;
        }
        if (out.revents & (POLLERR | POLLHUP | POLLNVAL)) {
            return false;
        }
    }
    return true;
}

}  // namespace

uint64_t RxThreadCpuTimeNs() {
    PosixLink& posix = P();
    if (!State().rxRunning || !posix.rxClockValid) {
        return 0;
    }
    timespec ts{};
    if (::clock_gettime(posix.rxClock.load(), &ts) != 0) {
        return 0;
    }
    return static_cast<uint64_t>(ts.tv_sec) * 1000000000ull + static_cast<uint64_t>(ts.tv_nsec);
}

}  // namespace serial

using namespace serial;
using namespace serial::detail;

int OpenCommPort(unsigned portNumber, unsigned baudRate, int parityCode) {
    LinkState& link = State();
    PosixLink& posix = P();
    if (PortOpen()) {
        // A second open would leak the port and start a second receive thread.
        CloseCommPort();
    }
    std::string path = ResolveComPort(portNumber);
    if (portNumber < 1 || portNumber > 255) {
        return FailOpen(-1, path, "no such COM port number: " + std::to_string(portNumber));
    }
    std::optional<speed_t> speed = SpeedFor(baudRate);
    if (!speed) {
        return FailOpen(-1, path, "unsupported baud rate: " + std::to_string(baudRate));
    }
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return FailOpen(-1, path, OpenFailureText(errno, path));
    }
    // No sharing: a port another program holds is busy. flock also holds against root, whom
    // TIOCEXCL does not stop.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        return FailOpen(fd, path, OpenFailureText(EBUSY, path));
    }
    if (!::isatty(fd)) {
        return FailOpen(fd, path, "not a serial port: " + path);
    }
    ::ioctl(fd, TIOCEXCL);
    if (!ConfigureLine(fd, *speed, parityCode)) {
        return FailOpen(fd, path, std::string(std::strerror(errno)) + ": " + path);
    }
    RequestLowLatency(fd);
    SetModemLine(fd, TIOCMBIS, TIOCM_RTS, "RTS");
    SetModemLine(fd, TIOCMBIS, TIOCM_DTR, "DTR");
    Purge(fd);

    int wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake < 0) {
        Diagnostic("Failed to create RxThread.\n");
        return FailOpen(fd, path, "cannot create the receive thread");
    }
    PrepareForOpen(baudRate);
    posix.wakeFd = wake;
    link.port = fd;
    posix.rxClockValid = false;
    MarkRxStarting();
    try {
        posix.rxThread = std::thread(RxThreadBody);
    } catch (const std::system_error&) {
        Diagnostic("Failed to create RxThread.\n");
        // A port left open without its receive thread would be busy for the next Connect.
        link.port = kNoPort;
        MarkRxEnded();
        ::close(wake);
        posix.wakeFd = -1;
        return FailOpen(fd, path, "cannot create the receive thread");
    }
    SetOpenResult(path, "");
    SettleAfterOpen();
    return 1;
}

int CloseCommPort() {
    LinkState& link = State();
    PosixLink& posix = P();
    int fd = PortFd();
    if (fd < 0) {
        return 0;
    }
    link.stopRequest = true;
    {
        std::lock_guard gate(link.writeMutex);
        link.closing = true;
        SetModemLine(fd, TIOCMBIC, TIOCM_DTR, "DTR");
        Purge(fd);
        const uint8_t zero = 0;
        WriteAll(fd, &zero, 1);
    }
    uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(posix.wakeFd, &one, sizeof one);
    if (!WaitRxEnded(kThreadEndWait)) {
        Diagnostic("RxThread failed to terminate properly.\n");
    }
    // The thread only ever blocks in poll (woken above) or on the buffer lock, so it ends; the
    // join makes sure it has before the port and the wake-up descriptor go away.
    if (posix.rxThread.joinable()) {
        posix.rxThread.join();
    }
    ::close(posix.wakeFd);
    posix.wakeFd = -1;
    link.port = kNoPort;
    // The exclusive-use flag belongs to the device, not to this descriptor: left set, it would
    // keep the device busy for our next open while anyone else still holds it.
    ::ioctl(fd, TIOCNXCL);
    int closed = ::close(fd);
    link.buffer.changed.notify_all();
    return closed == 0 ? 1 : 0;
}

int WriteCommBytes(const uint8_t* bytes, uint8_t length) {
    LinkState& link = State();
    std::lock_guard gate(link.writeMutex);
    int fd = PortFd();
    if (fd < 0 || link.closing) {
        return 0;
    }
    return WriteAll(fd, bytes, length) ? 1 : 0;
}

int WaitTransmitDrain() {
    int fd = PortFd();
    if (fd < 0) {
        return 0;
    }
    // tcdrain() has no time limit; a wedged adapter must not freeze the window.
    return DrainWithinAllowance([fd] { return OutputQueued(fd); }) ? 1 : 0;
}

int FlushReceiveBuffer() {
    LinkState& link = State();
    int fd = PortFd();
    if (fd < 0) {
        return 0;
    }
    std::lock_guard lock(link.buffer.mutex);
    ::tcflush(fd, TCIFLUSH);
    // Errors in the bytes just thrown away are no news for the next wake-up: they become the
    // baseline.
    LineErrors(fd);
    link.buffer.Reset();
    return 1;
}
