# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64), the variant
# with POSIX threads so that std::thread, std::mutex and std::condition_variable work.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VOLTSCOPE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VOLTSCOPE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VOLTSCOPE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VOLTSCOPE_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VOLTSCOPE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything linked in, the C++ runtime and winpthreads included, so the .exe files run under
# Wine (or on a PC) without hunting for DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
