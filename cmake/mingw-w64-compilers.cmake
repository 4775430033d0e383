# Debian's MinGW-w64 (g++-mingw-w64-x86-64) for 64-bit Windows, the variant with POSIX threads
# so that std::thread, std::mutex and std::condition_variable work. The toolchain of Qt's own
# cross build (scripts/build-qt-windows.sh) and the base of the project's (mingw-w64.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VOLTSCOPE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VOLTSCOPE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VOLTSCOPE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VOLTSCOPE_MINGW_PREFIX}-windres)

# Libraries, headers and packages only from the target's folders, never the host's /usr.
set(CMAKE_FIND_ROOT_PATH /usr/${VOLTSCOPE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
