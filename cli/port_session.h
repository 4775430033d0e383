#pragma once
// The COM port for one run of the tool, closed exactly once: when the run ends, or as soon as
// SIGINT or SIGTERM arrives. A Disconnect's closing (DTR low, purge, the 0x00 byte, the device's
// exclusive-use flag and lock released) must not be skipped because the user pressed Ctrl-C.
#include <mutex>
#include <thread>

namespace cli {

class PortSession {
  public:
    PortSession() = default;
    ~PortSession();
    PortSession(const PortSession&) = delete;
    PortSession& operator=(const PortSession&) = delete;

    // OpenCommPort's result; from here until Close, SIGINT and SIGTERM close the port on a
    // watcher thread and end the process with 128 + the signal's number.
    bool Open(unsigned com, unsigned baud, int parity);
    void Close();

  private:
    void Watch();
    void RestoreSignals();

    std::mutex closeMutex_;  // a signal's close and the run's own close never overlap
    bool open_ = false;
    int pipe_[2] = {-1, -1};
    std::thread watcher_;
};

// Once a signal is closing the port, never returns: the process is about to end, and what the
// caller would print or write next would stand on requests the closing cut off.
void StopIfInterrupted();

}  // namespace cli
