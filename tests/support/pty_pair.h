#pragma once
// A raw pseudo-terminal pair whose slave is linked as a COM port in a private ports folder, so
// tests open it through the link's real open path. The test plays the far end on the master.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "serial/port_name.h"

namespace testing_support {

// Points the ports folder at a fresh temporary directory for the life of the object.
class PrivatePortsFolder {
  public:
    PrivatePortsFolder() {
        char tmpl[] = "/tmp/voltscope-test-XXXXXX";
        dir_ = ::mkdtemp(tmpl);
        ::setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    }
    ~PrivatePortsFolder() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    void Link(unsigned com, const std::string& device) const {
        std::filesystem::create_directories(serial::PortsFolder());
        std::error_code ec;
        std::filesystem::remove(serial::PortLinkPath(com), ec);
        std::filesystem::create_symlink(device, serial::PortLinkPath(com));
    }
    const std::string& dir() const { return dir_; }

  private:
    std::string dir_;
};

class PtyPair {
  public:
    PtyPair() {
        char name[128];
        ::openpty(&master_, &slave_, name, nullptr, nullptr);
        slaveName_ = name;
        termios tio{};
        ::tcgetattr(slave_, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(slave_, TCSANOW, &tio);
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    }
    ~PtyPair() { CloseAll(); }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const std::string& slaveName() const { return slaveName_; }

    void Send(const std::vector<uint8_t>& bytes) const {
        size_t done = 0;
        while (done < bytes.size()) {
            ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
            if (n > 0) {
                done += static_cast<size_t>(n);
            } else {
                pollfd p{master_, POLLOUT, 0};
                ::poll(&p, 1, 100);
            }
        }
    }

    // Reads whatever reaches the far end within `wait`.
    std::vector<uint8_t> Receive(std::chrono::milliseconds wait = std::chrono::milliseconds(200),
                                 size_t atLeast = 0) const {
        std::vector<uint8_t> got;
        auto deadline = std::chrono::steady_clock::now() + wait;
        while (std::chrono::steady_clock::now() < deadline) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 10) > 0 && (p.revents & POLLIN)) {
                uint8_t buf[256];
                ssize_t n = ::read(master_, buf, sizeof buf);
                if (n > 0)
                    got.insert(got.end(), buf, buf + n);
            }
            if (atLeast != 0 && got.size() >= atLeast)
                break;
        }
        return got;
    }

    // The device disappears: both ends close, as when a USB adapter is pulled.
    void CloseAll() {
        if (master_ >= 0)
            ::close(master_);
        if (slave_ >= 0)
            ::close(slave_);
        master_ = slave_ = -1;
    }

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string slaveName_;
};

}  // namespace testing_support
