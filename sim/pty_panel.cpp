#include "sim/pty_panel.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <ctime>
#include <stdexcept>
#include <system_error>

#include "serial/port_name.h"

namespace sim {
namespace {

// A frame broken off for this long is forgotten, as a panel does when the line goes quiet.
constexpr int kFrameGapMs = 500;
// How often an idle panel looks for an exclusive-use flag its last client left behind.
constexpr int kIdleCheckMs = 250;

[[noreturn]] void ThrowErrno(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

void MakeFolders(const std::string& path) {
    for (std::size_t pos = 1; pos <= path.size(); ++pos) {
        if (pos == path.size() || path[pos] == '/') {
            std::string part = path.substr(0, pos);
            if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
                ThrowErrno("cannot create " + part);
            }
        }
    }
}

timespec ToTimespec(Clock::time_point t) {
    auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(ns / 1000000000);
    ts.tv_nsec = static_cast<long>(ns % 1000000000);
    return ts;
}

}  // namespace

struct PtyPanel::Outgoing {
    std::uint8_t byte;
    Clock::time_point deadline;
};

PtyPanel::PtyPanel(PtyPanelOptions options) : options_(options), protocol_(options.address) {
    if (options.address > 199 || options.address < -1) {
        throw std::invalid_argument("panel address must be 0..199 or -1");
    }
    if (::openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0) {
        ThrowErrno("openpty");
    }
    char name[PATH_MAX];
    if (::ttyname_r(slave_, name, sizeof name) != 0) {
        int err = errno;
        CloseDevice();
        errno = err;
        ThrowErrno("ttyname");
    }
    devicePath_ = name;
    termios tio{};
    if (::tcgetattr(slave_, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(slave_, TCSANOW, &tio);
    }
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
    wake_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake_ < 0) {
        int err = errno;
        CloseDevice();
        errno = err;
        ThrowErrno("eventfd");
    }
    if (options.loadDefaults) {
        registers_.LoadDefaults();
    }
    thread_ = std::thread([this] { Serve(); });
}

PtyPanel::~PtyPanel() {
    stop();
    unlink();
    CloseDevice();
    if (wake_ >= 0) {
        ::close(wake_);
    }
}

std::uint16_t PtyPanel::getRegister(unsigned bank, unsigned reg) const {
    std::lock_guard lock(registersMutex_);
    return registers_.Get(bank, reg);
}

void PtyPanel::setRegister(unsigned bank, unsigned reg, std::uint16_t value) {
    std::lock_guard lock(registersMutex_);
    registers_.Set(bank, reg, value);
}

void PtyPanel::setSoftwareVersion(unsigned versionTimes100) {
    std::lock_guard lock(registersMutex_);
    registers_.SetSoftwareVersion(versionTimes100);
}

void PtyPanel::setLinkValue(std::uint16_t link) {
    setRegister(kLogBank, kLinkRegister, link);
}

std::vector<Request> PtyPanel::requests() const {
    std::lock_guard lock(logMutex_);
    return requests_;
}

void PtyPanel::clearRequests() {
    std::lock_guard lock(logMutex_);
    requests_.clear();
}

bool PtyPanel::waitForRequests(std::size_t n, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(logMutex_);
    return logChanged_.wait_for(lock, timeout, [&] { return requests_.size() >= n; });
}

std::vector<std::uint8_t> PtyPanel::receivedBytes() const {
    std::lock_guard lock(logMutex_);
    return received_;
}

void PtyPanel::clearReceivedBytes() {
    std::lock_guard lock(logMutex_);
    received_.clear();
}

void PtyPanel::setRequestObserver(std::function<void(const Request&)> observer) {
    std::lock_guard lock(logMutex_);
    observer_ = std::move(observer);
}

void PtyPanel::injectFault(const Fault& fault, unsigned requests,
                           std::function<bool(const Request&)> only) {
    std::lock_guard lock(faultMutex_);
    fault_ = fault;
    faultOnly_ = std::move(only);
    faultRemaining_ = requests;
    faultForever_ = requests == 0;
}

void PtyPanel::setFaultSchedule(FaultSchedule schedule) {
    std::lock_guard lock(faultMutex_);
    schedule_ = std::move(schedule);
}

void PtyPanel::clearFaults() {
    std::lock_guard lock(faultMutex_);
    faultRemaining_ = 0;
    faultForever_ = false;
    pendingStray_.clear();
}

bool PtyPanel::sendRaw(const std::vector<std::uint8_t>& bytes) {
    std::vector<Outgoing> out;
    // Each byte is handed over when it would have fully arrived.
    Clock::time_point t = Clock::now() + CharTime();
    for (std::uint8_t b : bytes) {
        out.push_back({b, t});
        t += CharTime();
    }
    return Send(out);
}

std::string PtyPanel::linkAsComPort(unsigned portNumber) {
    std::lock_guard lock(linkMutex_);
    const std::string link = serial::PortLinkPath(portNumber);
    if (!linkPath_.empty() && linkPath_ != link) {
        ::unlink(linkPath_.c_str());
    }
    MakeFolders(serial::PortsFolder());
    struct stat st {};
    if (::lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            errno = EEXIST;
            ThrowErrno(link + " exists and is not a link");
        }
        if (::unlink(link.c_str()) != 0) {
            ThrowErrno("cannot remove the old link " + link);
        }
    }
    if (::symlink(devicePath_.c_str(), link.c_str()) != 0) {
        ThrowErrno("cannot link " + link);
    }
    linkPath_ = link;
    return link;
}

void PtyPanel::unlink() {
    std::lock_guard lock(linkMutex_);
    if (linkPath_.empty()) {
        return;
    }
    // Leave a link alone that someone has since pointed elsewhere.
    char target[PATH_MAX];
    ssize_t n = ::readlink(linkPath_.c_str(), target, sizeof target - 1);
    if (n >= 0 && std::string(target, static_cast<std::size_t>(n)) == devicePath_) {
        ::unlink(linkPath_.c_str());
    }
    linkPath_.clear();
}

void PtyPanel::vanish(bool removeLink) {
    stop();
    // Set first: whoever sees the hang-up must find the panel vanished.
    vanished_ = true;
    CloseDevice();
    if (removeLink) {
        unlink();
    }
}

bool PtyPanel::vanished() const {
    return vanished_;
}

void PtyPanel::stop() {
    stopping_ = true;
    Wake();
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) {
        thread_.join();
    }
}

void PtyPanel::Wake() {
    if (wake_ >= 0) {
        std::uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(wake_, &one, sizeof one);
    }
}

void PtyPanel::CloseDevice() {
    std::lock_guard lock(sendMutex_);
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
    if (slave_ >= 0) {
        ::close(slave_);
        slave_ = -1;
    }
}

std::chrono::nanoseconds PtyPanel::CharTime() const {
    if (options_.baud == 0) {
        return std::chrono::nanoseconds(0);
    }
    return std::chrono::nanoseconds(10'000'000'000LL / options_.baud);
}

void PtyPanel::Serve() {
    std::uint8_t buf[256];
    while (!stopping_) {
        pollfd fds[2] = {{master_, POLLIN, 0}, {wake_, POLLIN, 0}};
        int timeout = protocol_.MidFrame() ? kFrameGapMs : kIdleCheckMs;
        int ready = ::poll(fds, 2, timeout);
        if (stopping_) {
            break;
        }
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if (ready == 0) {
            protocol_.Reset();
            ClearStaleExclusiveUse();
            continue;
        }
        if ((fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0 &&
            (fds[0].revents & POLLIN) == 0) {
            break;  // cannot happen while the panel holds the slave; never spin on it
        }
        if ((fds[0].revents & POLLIN) == 0) {
            continue;
        }
        ssize_t n = ::read(master_, buf, sizeof buf);
        if (n <= 0) {
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
                continue;
            }
            break;
        }
        const Clock::time_point now = Clock::now();
        {
            std::lock_guard lock(logMutex_);
            received_.insert(received_.end(), buf, buf + n);
        }
        for (ssize_t i = 0; i < n && !stopping_; ++i) {
            for (Request& request : protocol_.Feed(buf[i], now)) {
                HandleRequest(request);
                if (vanished_) {
                    return;
                }
            }
        }
    }
}

void PtyPanel::ClearStaleExclusiveUse() {
    std::lock_guard lock(sendMutex_);
    if (slave_ < 0) {
        return;
    }
    int exclusive = 0;
    if (::ioctl(slave_, TIOCGEXCL, &exclusive) != 0 || exclusive == 0) {
        return;
    }
    // The tool locks the device for as long as it uses it. When the panel's own descriptor can
    // take that lock, no client is there: the flag was left by one that was killed before it
    // could clear it, and would make every later open fail as busy.
    if (::flock(slave_, LOCK_EX | LOCK_NB) != 0) {
        return;
    }
    ::flock(slave_, LOCK_UN);
    ::ioctl(slave_, TIOCNXCL);
}

void PtyPanel::HandleRequest(Request& request) {
    ClearStaleExclusiveUse();
    std::vector<std::uint8_t> stray;
    {
        std::lock_guard lock(faultMutex_);
        stray.swap(pendingStray_);
    }
    if (!stray.empty()) {
        Send({{stray.front(), Clock::now()}});
    }
    std::vector<std::uint8_t> reply;
    {
        std::lock_guard lock(registersMutex_);
        reply = Answer(request, registers_);
    }
    bool vanishNow = false;
    bool removeLink = false;
    std::vector<Outgoing> out;
    if (!reply.empty()) {
        out = Shape(reply, request, vanishNow, removeLink);
    }
    if (vanishNow) {
        // Set first: whoever sees the hang-up must find the panel vanished.
        vanished_ = true;
        stopping_ = true;
        CloseDevice();
    }
    // Logged before the reply leaves, so that once the tool has its reply the request is in
    // the log; `answered` says a reply was sent, or at least was on its way.
    request.answered = !vanishNow && !out.empty();
    std::function<void(const Request&)> observer;
    {
        std::lock_guard lock(logMutex_);
        requests_.push_back(request);
        observer = observer_;
    }
    logChanged_.notify_all();
    if (request.answered) {
        Send(out);
    }
    if (observer) {
        observer(request);
    }
    if (removeLink) {
        unlink();
    }
}

std::vector<PtyPanel::Outgoing> PtyPanel::Shape(const std::vector<std::uint8_t>& reply,
                                                Request& request, bool& vanishNow,
                                                bool& removeLink) {
    ShapedReply shaped;
    {
        std::lock_guard lock(faultMutex_);
        const bool injected =
            (faultForever_ || faultRemaining_ > 0) && (!faultOnly_ || faultOnly_(request));
        std::optional<Fault> fault;
        if (injected) {
            if (!faultForever_) {
                --faultRemaining_;
            }
            fault = fault_;
        } else {
            fault = schedule_.Pick(reply, request);
        }
        if (fault) {
            shaped = ApplyFault(*fault, reply, request, lastReply_);
            request.fault = Describe(*fault);
            if (!shaped.stray.empty()) {
                pendingStray_ = shaped.stray;
            }
        } else {
            shaped.bytes = reply;
        }
        lastReply_ = reply;
    }
    vanishNow = shaped.vanish;
    removeLink = shaped.removeLink;
    const std::vector<std::uint8_t>& bytes = shaped.bytes;
    const std::size_t lateIndex = shaped.lateIndex;
    const std::chrono::milliseconds lateBy = shaped.lateBy;
    const std::chrono::nanoseconds charTime = CharTime();
    Clock::time_point first = Clock::now();
    if (charTime.count() > 0) {
        // On a real line the request ends its journey raw.size() character times after its
        // first byte left the PC, and each reply byte reaches the PC a character time after it
        // left the panel: the pseudo-terminal delivers at once, so each byte is held until then.
        first = request.firstByteTime + static_cast<long long>(request.raw.size() + 1) * charTime;
    }
    std::vector<Outgoing> out;
    for (std::size_t j = 0; j < bytes.size(); ++j) {
        Clock::time_point deadline = first + static_cast<long long>(j) * charTime;
        if (j >= lateIndex) {
            deadline += lateBy;
        }
        out.push_back({bytes[j], deadline});
    }
    return out;
}

bool PtyPanel::Send(const std::vector<Outgoing>& bytes) {
    std::lock_guard lock(sendMutex_);
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (!WaitUntil(bytes[i].deadline)) {
            return false;
        }
        // Bytes already due leave together, as a driver would hand them over.
        const Clock::time_point now = Clock::now();
        std::vector<std::uint8_t> run;
        while (i < bytes.size() && bytes[i].deadline <= now) {
            run.push_back(bytes[i++].byte);
        }
        lastSent_ = now.time_since_epoch().count();
        if (!WriteRun(run.data(), run.size())) {
            return false;
        }
    }
    return true;
}

bool PtyPanel::WaitUntil(Clock::time_point deadline) {
    for (;;) {
        if (stopping_) {
            return false;
        }
        const Clock::time_point now = Clock::now();
        if (now >= deadline) {
            return true;
        }
        const auto remaining =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
        if (remaining > std::chrono::milliseconds(30)) {
            // Long waits listen for stop(); the last stretch is an exact absolute sleep.
            pollfd wake{wake_, POLLIN, 0};
            ::poll(&wake, 1, static_cast<int>(remaining.count() - 20));
            continue;
        }
        timespec ts = ToTimespec(deadline);
        while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
        }
    }
}

bool PtyPanel::WriteRun(const std::uint8_t* bytes, std::size_t count) {
    while (count > 0) {
        if (master_ < 0) {
            return false;
        }
        ssize_t n = ::write(master_, bytes, count);
        if (n > 0) {
            bytes += n;
            count -= static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
        // The tool is not reading and the line is full: wait for room or stop().
        pollfd fds[2] = {{master_, POLLOUT, 0}, {wake_, POLLIN, 0}};
        ::poll(fds, 2, -1);
        if (stopping_) {
            return false;
        }
    }
    return true;
}

}  // namespace sim
