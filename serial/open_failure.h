#pragma once
// Why a port could not be opened, in words a user can act on.
#include <string>

namespace serial {

// Who may use a device: its owner and group (names, or numbers when they have none), its
// permission bits, and whether this process is in its group.
struct DeviceAccess {
    std::string owner;
    std::string group;
    unsigned mode = 0;
    bool memberOfGroup = false;
};

// Names the device and who may use it; suggests the dialout group only where joining it helps.
std::string PermissionDeniedText(const std::string& device, const DeviceAccess& access);

// The text for an open() of `path` that failed with `err`.
std::string OpenFailureText(int err, const std::string& path);

}  // namespace serial
