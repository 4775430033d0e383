#pragma once
// A simulated panel at the far end of a pseudo-terminal.
//
// Typical use in a test:
//
//     sim::PtyPanel panel;                       // defaults loaded, unpaced, no address mode
//     panel.setRegister(10, 67, 409);            // a panel before 4.10
//     panel.linkAsComPort(5);                    // the tool may now open COM5
//     ... drive the tool ...
//     auto sent = panel.requests();              // what the tool asked, in order
//     panel.injectFault(sim::Fault::Silence());  // the next request gets no reply
//
// The tool opens `devicePath()` (or the COM link) like any serial device. The panel keeps its
// own descriptor of that device open, so the tool may close and reopen it at will; the panel
// answers each complete request of the tool from its registers; a frame broken off for half a
// second is forgotten. An exclusive-use flag (TIOCEXCL) left on the device by a client that
// went away without clearing it is cleared once no client holds the device's flock. Every public
// member may be called from any thread while the panel serves.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/fault_schedule.h"
#include "sim/panel_protocol.h"
#include "sim/panel_registers.h"

namespace sim {

struct PtyPanelOptions {
    // Pacing: 0 sends each reply at once; otherwise the reply's first byte leaves no earlier than
    // the request's own wire time after the request's first byte arrived, and each further byte
    // one character time (10 bits) after the one before, as on a real line at this rate.
    unsigned baud = 0;
    int address = -1;          // -1: not in address mode; 0..199: the panel's address
    bool loadDefaults = true;  // false: every register 0, logs empty
};

class PtyPanel {
  public:
    // Throws std::system_error when no pseudo-terminal can be had.
    explicit PtyPanel(PtyPanelOptions options = {});
    ~PtyPanel();  // stops serving and removes the COM link
    PtyPanel(const PtyPanel&) = delete;
    PtyPanel& operator=(const PtyPanel&) = delete;

    // The slave device, e.g. "/dev/pts/3".
    const std::string& devicePath() const { return devicePath_; }

    std::uint16_t getRegister(unsigned bank, unsigned reg) const;
    void setRegister(unsigned bank, unsigned reg, std::uint16_t value);
    void setSoftwareVersion(unsigned versionTimes100);
    // The link register 11/239 (1 after LoadDefaults): 0 reads as a panel that does not
    // answer Connect's test; 1 and 2 limit which communication settings the tool may send.
    void setLinkValue(std::uint16_t link);
    // Runs `f(PanelRegisters&)` under the registers' lock, e.g. to add log records.
    template <typename F>
    auto withRegisters(F&& f) {
        std::lock_guard lock(registersMutex_);
        return f(registers_);
    }

    // Every complete request received, oldest first, with `answered` telling whether a reply
    // (possibly a faulty one) was sent. A request is logged before its reply leaves, so once
    // the tool has a reply, its request is in the log.
    std::vector<Request> requests() const;
    void clearRequests();
    // Waits until at least `n` requests are in the log; false when `timeout` passed first.
    bool waitForRequests(std::size_t n, std::chrono::milliseconds timeout) const;
    // Every byte ever received, frames and stray bytes alike (the 0x00 the tool sends when it
    // closes the port arrives outside any frame).
    std::vector<std::uint8_t> receivedBytes() const;
    void clearReceivedBytes();
    // Called on the serving thread after each request was handled.
    void setRequestObserver(std::function<void(const Request&)> observer);

    // Applies `fault` to the next `requests` requests meant for this panel; 0 = until
    // clearFaults(). With `only`, just the requests it picks count, e.g. the reads of one
    // register. A new fault replaces the previous one.
    void injectFault(const Fault& fault, unsigned requests = 1,
                     std::function<bool(const Request&)> only = {});
    // Faults by chance for every request that no injected fault takes; replaces the last
    // schedule. clearFaults() leaves it alone.
    void setFaultSchedule(FaultSchedule schedule);
    void clearFaults();

    // Pushes unsolicited bytes towards the tool, paced one character time apart when pacing;
    // returns once they are written (false when the panel stopped first).
    bool sendRaw(const std::vector<std::uint8_t>& bytes);

    // When bytes were last handed to the pseudo-terminal (the time the write began); the epoch
    // before any were.
    Clock::time_point lastSent() const { return Clock::time_point(Clock::duration(lastSent_)); }

    // Creates the ports folder and the link "comN" -> devicePath(), replacing an old link.
    // Throws std::system_error on failure. Returns the link's path.
    std::string linkAsComPort(unsigned portNumber);
    // Removes the link made by linkAsComPort, if it still points here.
    void unlink();

    // The port disappears at once: both ends closed, serving stopped; the COM link is left
    // dangling unless `removeLink`.
    void vanish(bool removeLink = false);
    bool vanished() const;

    // Ends serving; idempotent. The device stays open until destruction.
    void stop();

  private:
    struct Outgoing;
    void Serve();
    void HandleRequest(Request& request);
    std::vector<Outgoing> Shape(const std::vector<std::uint8_t>& reply, Request& request,
                                bool& vanishNow, bool& removeLink);
    bool Send(const std::vector<Outgoing>& bytes);
    bool WriteRun(const std::uint8_t* bytes, std::size_t count);
    bool WaitUntil(Clock::time_point deadline);
    void CloseDevice();
    void ClearStaleExclusiveUse();
    void Wake();
    std::chrono::nanoseconds CharTime() const;

    PtyPanelOptions options_;
    int master_ = -1;
    int slave_ = -1;
    int wake_ = -1;  // eventfd
    std::string devicePath_;
    std::string linkPath_;

    mutable std::mutex registersMutex_;
    PanelRegisters registers_;
    PanelProtocol protocol_;

    mutable std::mutex logMutex_;
    mutable std::condition_variable logChanged_;
    std::vector<Request> requests_;
    std::vector<std::uint8_t> received_;
    std::function<void(const Request&)> observer_;

    std::mutex faultMutex_;
    Fault fault_;
    unsigned faultRemaining_ = 0;
    bool faultForever_ = false;
    std::function<bool(const Request&)> faultOnly_;
    FaultSchedule schedule_;
    std::vector<std::uint8_t> lastReply_;
    std::vector<std::uint8_t> pendingStray_;  // goes out when the next request comes in

    std::mutex sendMutex_;  // one writer on the line at a time; guards the descriptors' closing

    std::atomic<Clock::rep> lastSent_{0};
    std::atomic<bool> stopping_{false};
    std::atomic<bool> vanished_{false};
    std::mutex linkMutex_;
    std::thread thread_;
};

}  // namespace sim
