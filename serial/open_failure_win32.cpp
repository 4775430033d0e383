#include "serial/open_failure_win32.h"

#include "serial/comm_settings_win32.h"

namespace serial {

std::string OpenFailureText(DWORD error, const std::string& device) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_DEV_NOT_EXIST:
        case ERROR_BAD_UNIT:
            return "no such device: " + device;
        case ERROR_ACCESS_DENIED:
            // What Windows answers for a COM port another program has open.
            return "busy: " + device + " is in use by another program (access denied)";
        case ERROR_SHARING_VIOLATION:
        case ERROR_BUSY:
            return "busy: " + device + " is in use by another program";
        default:
            return SystemMessage(error) + ": " + device;
    }
}

}  // namespace serial
