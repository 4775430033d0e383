#pragma once
// How a COM port number becomes a device: the Windows name, and on POSIX a path found
// through the per-user ports folder.
#include <string>

// "COM9" for ports 1..9, "\\.\COM10" from 10 on (what the Windows link opens).
std::string ComDeviceName(unsigned portNumber);

#ifndef _WIN32
namespace serial {

// $XDG_CONFIG_HOME/voltscope/ports, or ~/.config/voltscope/ports.
std::string PortsFolder();

// The link "comN" in the ports folder, which need not exist.
std::string PortLinkPath(unsigned portNumber);

// COMn -> the ports folder's "comN" when that link exists, otherwise /dev/ttyS(N-1).
std::string ResolveComPort(unsigned portNumber);

}  // namespace serial
#endif
