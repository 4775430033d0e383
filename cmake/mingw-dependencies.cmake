# Dependencies of the Windows cross build, taken from Debian's host packages rather than
# downloaded: CLI11 is header-only, GoogleTest comes as sources (package googletest).

# CLI11's own package file would add the host's /usr/include to the target's include path,
# where the Linux C library headers would shadow MinGW's; so its headers get a folder of
# their own.
set(VOLTSCOPE_CLI11_INCLUDE ${CMAKE_BINARY_DIR}/third_party/cli11)
if(NOT EXISTS ${VOLTSCOPE_CLI11_INCLUDE}/CLI/CLI.hpp)
    if(NOT EXISTS /usr/include/CLI/CLI.hpp)
        message(FATAL_ERROR "CLI11 headers not found: apt-get install libcli11-dev")
    endif()
    file(COPY /usr/include/CLI DESTINATION ${VOLTSCOPE_CLI11_INCLUDE})
endif()
add_library(CLI11::CLI11 INTERFACE IMPORTED)
set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES
                                              ${VOLTSCOPE_CLI11_INCLUDE})

if(VOLTSCOPE_BUILD_TESTS)
    set(VOLTSCOPE_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
    if(NOT EXISTS ${VOLTSCOPE_GOOGLETEST_SOURCE}/CMakeLists.txt)
        message(FATAL_ERROR "GoogleTest sources not found: apt-get install googletest")
    endif()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(${VOLTSCOPE_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest
                     EXCLUDE_FROM_ALL SYSTEM)
endif()

# Qt for Windows, built from Debian's source by scripts/build-qt-windows.sh into a cache folder
# (no Qt for MinGW in Debian's packages). Without it the desktop tool is left out and the rest
# builds as before. moc, uic and rcc are the host's (the same Qt version).
if(VOLTSCOPE_BUILD_GUI)
    if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
        set(qt_cache $ENV{XDG_CACHE_HOME}/voltscope)
    else()
        set(qt_cache $ENV{HOME}/.cache/voltscope)
    endif()
    set(VOLTSCOPE_QT_PREFIX ${qt_cache}/qt-mingw64 CACHE PATH
        "Qt for MinGW-w64 (scripts/build-qt-windows.sh links the one it built here)")
    if(EXISTS ${VOLTSCOPE_QT_PREFIX}/lib/cmake/Qt6/Qt6Config.cmake)
        # With the package search confined to the root paths, only a root path finds it.
        list(APPEND CMAKE_FIND_ROOT_PATH ${VOLTSCOPE_QT_PREFIX})
        set(QT_HOST_PATH /usr CACHE PATH "The host's Qt, whose tools the cross build runs")
        set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH
            "The host Qt's CMake packages")
    else()
        message(STATUS "No Qt for Windows in ${VOLTSCOPE_QT_PREFIX} "
                       "(scripts/build-qt-windows.sh builds it): the desktop tool is left out")
        set(VOLTSCOPE_BUILD_GUI OFF)
    endif()
endif()
