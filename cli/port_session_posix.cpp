#include "cli/port_session.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <utility>

#include "serial/serial_link.h"

namespace cli {
namespace {

constexpr unsigned char kStopWatching = 0;
constexpr int kSignals[] = {SIGINT, SIGTERM};

// The handler may do nothing but write to this pipe: closing the port takes locks and threads.
volatile sig_atomic_t g_signalPipe = -1;
std::atomic<bool> g_interrupted{false};
std::mutex g_deferMutex;
std::function<void(int)> g_deferred;

// The deferred stop, taken once: a second interruption finds none.
std::function<void(int)> TakeDeferred() {
    std::lock_guard lock(g_deferMutex);
    return std::exchange(g_deferred, nullptr);
}

void OnSignal(int signalNumber) {
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] ssize_t n = ::write(g_signalPipe, &byte, 1);
    errno = savedErrno;
}

}  // namespace

PortSession::~PortSession() {
    Close();
}

bool PortSession::Open(unsigned com, unsigned baud, int parity) {
    if (::pipe2(pipe_, O_CLOEXEC) != 0) {
        pipe_[0] = pipe_[1] = -1;
    } else {
        // Installed before the port opens, so a signal that comes while it opens is not lost.
        g_signalPipe = pipe_[1];
        struct sigaction action {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int s : kSignals) {
            ::sigaction(s, &action, nullptr);
        }
    }
    if (OpenCommPort(com, baud, parity) == 0) {
        RestoreSignals();
        return false;
    }
    open_ = true;
    if (pipe_[0] >= 0) {
        watcher_ = std::thread([this] { Watch(); });
    }
    return true;
}

void PortSession::Watch() {
    for (;;) {
        unsigned char byte = kStopWatching;
        ssize_t n = 0;
        do {
            n = ::read(pipe_[0], &byte, 1);
        } while (n < 0 && errno == EINTR);
        if (n != 1 || byte == kStopWatching) {
            return;
        }
        if (const std::function<void(int)> stop = TakeDeferred()) {
            stop(byte);
            continue;
        }
        CloseAndExit(128 + byte);
    }
}

void DeferInterruption(std::function<void(int signal)> stop) {
    std::lock_guard lock(g_deferMutex);
    g_deferred = std::move(stop);
}

void PortSession::CloseAndExit(int status) {
    g_interrupted = true;
    // Never unlocked: the run's own Close waits here until the process has ended.
    closeMutex_.lock();
    if (open_) {
        CloseCommPort();
    }
    std::_Exit(status);
}

void StopIfInterrupted() {
    while (g_interrupted) {
        ::pause();
    }
}

void PortSession::Close() {
    {
        std::lock_guard lock(closeMutex_);
        if (open_) {
            CloseCommPort();
            open_ = false;
        }
    }
    if (watcher_.joinable()) {
        [[maybe_unused]] ssize_t n = ::write(pipe_[1], &kStopWatching, 1);
        watcher_.join();
    }
    RestoreSignals();
}

void PortSession::RestoreSignals() {
    if (pipe_[1] < 0) {
        return;
    }
    for (int s : kSignals) {
        ::signal(s, SIG_DFL);
    }
    g_signalPipe = -1;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
    pipe_[0] = pipe_[1] = -1;
}

}  // namespace cli
