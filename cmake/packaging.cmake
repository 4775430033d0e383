# Installation and the Debian package (`cpack -G DEB`, or scripts/package.sh). The Windows
# build's folder and installer are in packaging-windows.cmake.
if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/packaging-windows.cmake)
    return()
endif()
#
# The desktop tool lives in /usr/lib/voltscope/ with its user guide and version notes, because
# the About box opens them from the folder of the running program (Qt resolves the program's
# path through /proc/self/exe, so the /usr/bin/voltscope link leads it there). The command-line
# tool and the panel simulator need nothing beside them and go straight into /usr/bin.
set(VOLTSCOPE_PROGRAM_DIR lib/voltscope)

install(TARGETS voltscope-cli RUNTIME DESTINATION bin)
# The Windows build has no simulator (see CMakeLists.txt).
if(TARGET voltscope-panelsim)
    install(TARGETS voltscope-panelsim RUNTIME DESTINATION bin)
endif()

if(VOLTSCOPE_BUILD_GUI)
    install(TARGETS voltscope RUNTIME DESTINATION ${VOLTSCOPE_PROGRAM_DIR})
    install(FILES $<TARGET_FILE_DIR:voltscope>/VoltScope5_UG.pdf
                  $<TARGET_FILE_DIR:voltscope>/Ver_Info.txt
            DESTINATION ${VOLTSCOPE_PROGRAM_DIR})
    # A relative link, so the tree works wherever it is unpacked (the package test unpacks it
    # into a scratch folder).
    file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/packaging)
    file(CREATE_LINK ../${VOLTSCOPE_PROGRAM_DIR}/voltscope
         ${CMAKE_CURRENT_BINARY_DIR}/packaging/voltscope SYMBOLIC)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/voltscope DESTINATION bin)

    install(FILES resources/voltscope.desktop DESTINATION share/applications)
    # The theme's icon sizes, rendered from the window icon so there is one drawing to keep.
    add_executable(voltscope_icon_to_png app/view/icon_to_png.cpp)
    target_link_libraries(voltscope_icon_to_png PRIVATE Qt6::Gui voltscope_warnings)
    set(icon_source ${PROJECT_SOURCE_DIR}/resources/voltscope.xpm)
    set(icon_pngs)
    foreach(size 32 48 64 128 256)
        set(icon_dir ${CMAKE_CURRENT_BINARY_DIR}/packaging/icons/${size}x${size})
        set(png ${icon_dir}/voltscope.png)
        add_custom_command(
            OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
            COMMAND voltscope_icon_to_png ${icon_source} ${size} ${png}
            DEPENDS voltscope_icon_to_png ${icon_source}
            VERBATIM)
        list(APPEND icon_pngs ${png})
        install(FILES ${png} DESTINATION share/icons/hicolor/${size}x${size}/apps)
    endforeach()
    # The Windows build's program and installer icon, made here because the cross build cannot
    # run a helper of its own (packaging-windows.cmake takes it from this build).
    set(icon_ico ${CMAKE_CURRENT_BINARY_DIR}/packaging/voltscope.ico)
    add_custom_command(
        OUTPUT ${icon_ico}
        COMMAND voltscope_icon_to_png ${icon_source} ico ${icon_ico}
        DEPENDS voltscope_icon_to_png ${icon_source}
        VERBATIM)
    add_custom_target(voltscope_icons ALL DEPENDS ${icon_pngs} ${icon_ico})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME voltscope)
set(CPACK_PACKAGE_VENDOR "VoltScope developers")
set(CPACK_PACKAGE_CONTACT "VoltScope developers <voltscope@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "configure and read out a line-voltage regulator control panel")
# Line ends are kept: the control file's description lines stay within 80 columns.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "VoltScope connects to a regulator control panel's data port over a serial"
    "cable, reads the panel's settings into tab pages, sends edited settings"
    "back, saves and opens configuration files, and reads metering, counters,"
    "logs and contact-wear data."
    ""
    "This package holds the desktop tool (voltscope), the command-line tool"
    "(voltscope-cli) and a panel simulator on a pseudo-terminal"
    "(voltscope-panelsim).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://voltscope.example.org")
# The Qt libraries' packages come from dpkg-shlibdeps; Debian's Qt GUI library package also
# carries the X11 (and offscreen) platform plugins, so a window opens with nothing more.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(VOLTSCOPE_BUILD_GUI)
    # The About box's documents and the updates page open in the desktop's viewer.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
endif()
include(CPack)
