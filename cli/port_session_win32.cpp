#include <windows.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <utility>

#include "cli/port_session.h"
#include "serial/serial_link.h"

namespace cli {
namespace {

std::atomic<PortSession*> g_session{nullptr};
std::atomic<bool> g_interrupted{false};
std::mutex g_deferMutex;
std::function<void(int)> g_deferred;

std::function<void(int)> TakeDeferred() {
    std::lock_guard lock(g_deferMutex);
    return std::exchange(g_deferred, nullptr);
}

// Runs on a thread of its own that the system starts for the console event, so it may close
// the port itself.
BOOL WINAPI OnConsoleEvent(DWORD event) {
    PortSession* session = g_session.load();
    if (session == nullptr) {
        return FALSE;
    }
    const int signal = event == CTRL_C_EVENT ? SIGINT : SIGTERM;
    if (const std::function<void(int)> stop = TakeDeferred()) {
        stop(signal);
        return TRUE;
    }
    session->CloseAndExit(128 + signal);
}

}  // namespace

PortSession::~PortSession() {
    Close();
}

bool PortSession::Open(unsigned com, unsigned baud, int parity) {
    // Installed before the port opens, so an interruption while it opens is not lost.
    g_session = this;
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
    if (OpenCommPort(com, baud, parity) == 0) {
        ::SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
        g_session = nullptr;
        return false;
    }
    std::lock_guard lock(closeMutex_);
    open_ = true;
    return true;
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

void DeferInterruption(std::function<void(int signal)> stop) {
    std::lock_guard lock(g_deferMutex);
    g_deferred = std::move(stop);
}

void StopIfInterrupted() {
    while (g_interrupted) {
        ::Sleep(INFINITE);
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
    if (g_session == this) {
        ::SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
        g_session = nullptr;
    }
}

}  // namespace cli
