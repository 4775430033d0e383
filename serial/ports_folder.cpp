// COM numbers on POSIX: a link "comN" in the per-user ports folder, in the way Wine maps com1
// to /dev/ttyS0, or else the Nth serial device.
#include <sys/stat.h>

#include <cstdlib>

#include "serial/port_name.h"

namespace serial {

std::string PortsFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (xdg != nullptr && xdg[0] == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home != nullptr ? home : "") + "/.config";
    }
    return base + "/voltscope/ports";
}

std::string PortLinkPath(unsigned portNumber) {
    return PortsFolder() + "/com" + std::to_string(portNumber);
}

std::string ResolveComPort(unsigned portNumber) {
    std::string link = PortLinkPath(portNumber);
    struct stat st {};
    // lstat: a dangling link still names the port the user meant; opening it then fails with
    // "no such device", which is the truth.
    if (::lstat(link.c_str(), &st) == 0) {
        return link;
    }
    return "/dev/ttyS" + std::to_string(portNumber == 0 ? 0 : portNumber - 1);
}

}  // namespace serial
