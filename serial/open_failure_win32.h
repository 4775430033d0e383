#pragma once
// Why a COM port could not be opened on Windows, in the words the POSIX link uses.
#include <windows.h>

#include <string>

namespace serial {

// The text for a CreateFileA of `device` ("COM5", "\\.\COM12") that failed with `error`.
std::string OpenFailureText(DWORD error, const std::string& device);

}  // namespace serial
