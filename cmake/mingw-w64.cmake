# Cross build for 64-bit Windows with Debian's MinGW-w64 (the compilers and search rules are in
# mingw-w64-compilers.cmake, which Qt's own cross build shares).
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-compilers.cmake)

# Everything linked in, the C++ runtime and winpthreads included, so the .exe files run under
# Wine (or on a PC) without hunting for DLLs. The Qt programs (app/view/) link the runtime as
# DLLs instead, the ones the Qt DLLs use themselves.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
