#pragma once
// The COM port for one run of the tool, closed exactly once: when the run ends, or as soon as
// the user interrupts the tool (SIGINT or SIGTERM; Ctrl-C, Ctrl-Break or closing the console
// window on Windows). A Disconnect's closing (DTR low, purge, the 0x00 byte, the device
// released) must not be skipped because the user pressed Ctrl-C.
#include <functional>
#include <mutex>
#include <thread>

namespace cli {

class PortSession {
  public:
    PortSession() = default;
    ~PortSession();
    PortSession(const PortSession&) = delete;
    PortSession& operator=(const PortSession&) = delete;

    // OpenCommPort's result; from here until Close, an interruption closes the port on another
    // thread and ends the process with 128 + the signal's number (SIGINT for Ctrl-C).
    bool Open(unsigned com, unsigned baud, int parity);
    void Close();

    // Closes the port for an interruption and ends the process with `status`; a Close under
    // way finishes first.
    [[noreturn]] void CloseAndExit(int status);

  private:
#ifndef _WIN32
    void Watch();
    void RestoreSignals();
    int pipe_[2] = {-1, -1};
    std::thread watcher_;
#endif

    std::mutex closeMutex_;  // an interruption's close and the run's own close never overlap
    bool open_ = false;
};

// From now on the first interruption calls `stop` with its signal number (on another thread)
// instead of closing the port and ending the process, for work that ends cleanly after its
// current step; a second interruption ends the process as before.
void DeferInterruption(std::function<void(int signal)> stop);

// Once an interruption is closing the port, never returns: the process is about to end, and
// what the caller would print or write next would stand on requests the closing cut off.
void StopIfInterrupted();

}  // namespace cli
