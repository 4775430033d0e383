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
