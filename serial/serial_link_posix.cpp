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
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>
#include <optional>
#include <thread>

#include "serial/line_settings.h"
#include "serial/open_failure.h"
#include "serial/port_name.h"
#include "serial/receive_buffer.h"
#include "serial/serial_link.h"

namespace serial {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kThreadEndWait = std::chrono::milliseconds(2000);
// How long the receive thread leaves the port alone after a wake-up with nothing to read.
constexpr int kEmptyWakeRestMs = 5;
// A frame is at most 36 bytes; even at 300 baud that leaves the driver in about 1.2 s.
constexpr auto kWriteAllowance = std::chrono::milliseconds(3000);
// The same frame's drain; beyond this the adapter is wedged and waiting longer would only
// freeze the window.
constexpr auto kDrainAllowance = std::chrono::milliseconds(2000);
constexpr auto kLongestDrainStep = std::chrono::milliseconds(20);

struct Link {
    std::atomic<int> fd{-1};
    std::atomic<bool> stopRequest{false};
    std::atomic<bool> rxRunning{false};
    int wakeFd = -1;
    std::thread rxThread;
    std::atomic<clockid_t> rxClock{0};
    std::atomic<bool> rxClockValid{false};

    ReceiveBuffer buffer;

    // Held while bytes go out. Closing sets `closing` under it, so a request sent from another
    // thread than the one closing goes out before the closing 0x00 or not at all.
    std::mutex writeMutex;
    bool closing = false;

    // Thread end, so that close can bound its wait.
    std::mutex endMutex;
    std::condition_variable endChanged;
    bool rxEnded = true;

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
};

Link& L() {
    static Link link;
    return link;
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
    std::function<int(int)> source;
    {
        std::lock_guard guard(L().configMutex);
        source = L().outputQueueSource;
    }
    if (source) {
        return source(fd);
    }
    int queued = 0;
    return ::ioctl(fd, TIOCOUTQ, &queued) == 0 ? queued : 0;
}

uint32_t LineErrors(int fd) {
    std::function<uint32_t(int)> source;
    {
        std::lock_guard guard(L().configMutex);
        source = L().lineErrorSource;
    }
    return source ? source(fd) : DriverLineErrors(fd);
}

void NotifyRxErrors(uint32_t errors) {
    std::function<void(uint32_t)> notifier;
    {
        std::lock_guard guard(L().configMutex);
        notifier = L().rxErrorNotifier;
    }
    if (notifier) {
        notifier(errors);
    } else {
        char line[64];
        std::snprintf(line, sizeof line, "rxerrors (0x%03X)\n", static_cast<unsigned>(errors));
        Diagnostic(line);
    }
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
Wake ReceiveOnce(Link& link, int fd, short revents) {
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
        link.lastReceived = Clock::now().time_since_epoch().count();
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
    Link& link = L();
    clockid_t clock{};
    if (::pthread_getcpuclockid(::pthread_self(), &clock) == 0) {
        link.rxClock = clock;
        link.rxClockValid = true;
    }
    int fd = link.fd.load();
    if (fd >= 0) {
        std::lock_guard lock(link.buffer.mutex);
        LineErrors(fd);  // take the error state as it is now; only new errors count
    }
    bool vanished = false;
    // A port that keeps reporting input with none to read is not watched again at once, so that
    // such a driver cannot make the thread spin.
    bool restPortWatch = false;
    while (!link.stopRequest && fd >= 0) {
        pollfd fds[2] = {{link.wakeFd, POLLIN, 0}, {fd, POLLIN, 0}};
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
            [[maybe_unused]] ssize_t n = ::read(link.wakeFd, &count, sizeof count);
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
        std::function<void()> notifier;
        {
            std::lock_guard guard(link.configMutex);
            notifier = link.rxEndNotifier;
        }
        if (notifier) {
            notifier();
        } else {
            Diagnostic("end rxthread\n");
        }
    }
    link.rxRunning = false;
    link.buffer.changed.notify_all();
    {
        std::lock_guard guard(link.endMutex);
        link.rxEnded = true;
    }
    link.endChanged.notify_all();
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

void SetOpenResult(const std::string& path, const std::string& error) {
    std::lock_guard guard(L().configMutex);
    L().lastDevicePath = path;
    L().lastOpenError = error;
}

int FailOpen(int fd, const std::string& path, const std::string& error) {
    if (fd >= 0) {
        ::close(fd);
    }
    SetOpenResult(path, error);
    Diagnostic("cannot open COM port: " + error + "\n");
    return 0;
}

// The bytes just handed to the driver occupy the line for their wire time after whatever is
// still going out.
void NoteSending(int bytes) {
    Link& link = L();
    const Clock::rep now = Clock::now().time_since_epoch().count();
    const Clock::rep start = std::max(now, link.sendingEnds.load());
    link.sendingEnds =
        start + std::chrono::duration_cast<Clock::duration>(bytes * CharacterTime()).count();
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

bool IsPortOpen() {
    return L().fd.load() >= 0;
}

int WaitReceivedByte(uint8_t* byte, std::chrono::milliseconds timeout) {
    Link& link = L();
    if (link.fd.load() < 0) {
        return 0;
    }
    auto deadline = Clock::now() + timeout;
    std::unique_lock lock(link.buffer.mutex);
    // A closed port or a receive thread that has ended will bring no more bytes.
    link.buffer.changed.wait_until(lock, deadline, [&] {
        return link.buffer.HasUnread() || link.fd.load() < 0 || !link.rxRunning.load();
    });
    if (link.fd.load() < 0) {
        return 0;
    }
    return link.buffer.Take(byte) ? 1 : 0;
}

std::string LastOpenError() {
    std::lock_guard guard(L().configMutex);
    return L().lastOpenError;
}

std::string LastDevicePath() {
    std::lock_guard guard(L().configMutex);
    return L().lastDevicePath;
}

void SetDiagnosticSink(std::function<void(const std::string&)> sink) {
    std::lock_guard guard(L().configMutex);
    L().diagnosticSink = std::move(sink);
}

void Diagnostic(const std::string& line) {
    std::function<void(const std::string&)> sink;
    {
        std::lock_guard guard(L().configMutex);
        sink = L().diagnosticSink;
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
    std::lock_guard guard(L().configMutex);
    L().rxErrorNotifier = std::move(notifier);
}

void SetRxEndNotifier(std::function<void()> notifier) {
    std::lock_guard guard(L().configMutex);
    L().rxEndNotifier = std::move(notifier);
}

void SetLineErrorSource(std::function<uint32_t(int)> source) {
    std::lock_guard guard(L().configMutex);
    L().lineErrorSource = std::move(source);
}

void SetOutputQueueSource(std::function<int(int)> source) {
    std::lock_guard guard(L().configMutex);
    L().outputQueueSource = std::move(source);
}

std::chrono::nanoseconds CharacterTime() {
    return std::chrono::nanoseconds(L().characterTimeNs.load());
}

bool WaitLineQuiet(std::chrono::milliseconds gap, std::chrono::milliseconds limit) {
    Link& link = L();
    const auto deadline = Clock::now() + limit;
    for (;;) {
        if (link.fd.load() < 0 || !link.rxRunning.load()) {
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

ReceiveBufferState ReceiveState() {
    std::lock_guard lock(L().buffer.mutex);
    return {L().buffer.fillCount(), L().buffer.readPosition(), L().buffer.lineErrors()};
}

int CopyReceiveBuffer(uint8_t* out, int maxBytes) {
    std::lock_guard lock(L().buffer.mutex);
    int n = std::clamp(maxBytes, 0, ReceiveBuffer::kSize);
    std::memcpy(out, L().buffer.data(), static_cast<size_t>(n));
    return L().buffer.fillCount();
}

uint64_t RxThreadCpuTimeNs() {
    Link& link = L();
    if (!link.rxRunning || !link.rxClockValid) {
        return 0;
    }
    timespec ts{};
    if (::clock_gettime(link.rxClock.load(), &ts) != 0) {
        return 0;
    }
    return static_cast<uint64_t>(ts.tv_sec) * 1000000000ull + static_cast<uint64_t>(ts.tv_nsec);
}

}  // namespace serial

using namespace serial;

int OpenCommPort(unsigned portNumber, unsigned baudRate, int parityCode) {
    Link& link = L();
    if (link.fd.load() >= 0) {
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
    {
        std::lock_guard lock(link.buffer.mutex);
        link.buffer.Reset();
    }
    link.stopRequest = false;
    {
        std::lock_guard gate(link.writeMutex);
        link.closing = false;
    }
    link.characterTimeNs = 11'000'000'000LL / baudRate;
    link.wakeFd = wake;
    link.fd = fd;
    link.rxRunning = true;
    link.rxClockValid = false;
    {
        std::lock_guard guard(link.endMutex);
        link.rxEnded = false;
    }
    try {
        link.rxThread = std::thread(RxThreadBody);
    } catch (const std::system_error&) {
        Diagnostic("Failed to create RxThread.\n");
        // A port left open without its receive thread would be busy for the next Connect.
        link.fd = -1;
        link.rxRunning = false;
        {
            std::lock_guard guard(link.endMutex);
            link.rxEnded = true;
        }
        ::close(wake);
        link.wakeFd = -1;
        return FailOpen(fd, path, "cannot create the receive thread");
    }
    SetOpenResult(path, "");
    return 1;
}

int CloseCommPort() {
    Link& link = L();
    int fd = link.fd.load();
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
    [[maybe_unused]] ssize_t n = ::write(link.wakeFd, &one, sizeof one);
    {
        std::unique_lock lock(link.endMutex);
        if (!link.endChanged.wait_for(lock, kThreadEndWait, [&] { return link.rxEnded; })) {
            Diagnostic("RxThread failed to terminate properly.\n");
        }
    }
    // The thread only ever blocks in poll (woken above) or on the buffer lock, so it ends; the
    // join makes sure it has before the port and the wake-up descriptor go away.
    if (link.rxThread.joinable()) {
        link.rxThread.join();
    }
    ::close(link.wakeFd);
    link.wakeFd = -1;
    link.fd = -1;
    // The exclusive-use flag belongs to the device, not to this descriptor: left set, it would
    // keep the device busy for our next open while anyone else still holds it.
    ::ioctl(fd, TIOCNXCL);
    int closed = ::close(fd);
    link.buffer.changed.notify_all();
    return closed == 0 ? 1 : 0;
}

int WriteCommBytes(const uint8_t* bytes, uint8_t length) {
    Link& link = L();
    std::lock_guard gate(link.writeMutex);
    int fd = link.fd.load();
    if (fd < 0 || link.closing) {
        return 0;
    }
    return WriteAll(fd, bytes, length) ? 1 : 0;
}

int WaitTransmitDrain() {
    Link& link = L();
    int fd = link.fd.load();
    if (fd < 0) {
        return 0;
    }
    // tcdrain() has no time limit; a wedged adapter must not freeze the window.
    const auto deadline = Clock::now() + kDrainAllowance;
    for (;;) {
        int queued = OutputQueued(fd);
        if (queued <= 0) {
            return 1;
        }
        auto now = Clock::now();
        if (now >= deadline) {
            return 0;
        }
        auto step = std::chrono::duration_cast<Clock::duration>(queued * CharacterTime());
        step = std::clamp<Clock::duration>(step, std::chrono::milliseconds(1), kLongestDrainStep);
        std::this_thread::sleep_for(std::min<Clock::duration>(step, deadline - now));
    }
}

int FlushReceiveBuffer() {
    Link& link = L();
    int fd = link.fd.load();
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

int GetReceivedByte(uint8_t* byte) {
    Link& link = L();
    if (link.fd.load() < 0) {
        return 0;
    }
    std::lock_guard lock(link.buffer.mutex);
    return link.buffer.Take(byte) ? 1 : 0;
}
