# The Windows build's installation: one folder that runs as it is, holding the programs, the Qt
# DLLs and plugins they load, the MinGW runtime DLLs, the user guide and the version notes
# (`cmake --install build/windows-cross --prefix DIR`); and its installer,
# VoltScope-5.03-win64.exe, made from that folder by CPack's NSIS generator with Debian's
# makensis (`cpack --preset windows-installer`). Included from packaging.cmake.
if(TARGET voltscope-cli)  # (the windows-msvc preset leaves it out)
    install(TARGETS voltscope-cli RUNTIME DESTINATION .)
endif()

if(VOLTSCOPE_BUILD_GUI)
    install(TARGETS voltscope voltscope_capture RUNTIME DESTINATION .)
    install(FILES ${PROJECT_BINARY_DIR}/app/view/VoltScope5_UG.pdf
                  ${PROJECT_BINARY_DIR}/app/view/Ver_Info.txt
            DESTINATION .)
    # Qt looks for its plugins in folders beside the program: the Windows platform, the
    # offscreen one the picture tool uses, and the style that draws controls as Windows does.
    install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
            DESTINATION .)
    install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
                  $<TARGET_FILE:Qt6::QOffscreenIntegrationPlugin>
            DESTINATION platforms)
    if(TARGET Qt6::QWindowsVistaStylePlugin)  # (its name in Qt 6.4; later ones renamed it)
        install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
    endif()
    # MinGW's C++ runtime, its exception support and the threads library, as the Qt DLLs use
    # them. (A Visual Studio build relies on the Visual C++ runtime being installed.)
    if(MINGW)
        foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
            execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                            OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
            if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
                message(FATAL_ERROR "The MinGW runtime DLL ${dll} is not where the compiler says")
            endif()
            install(FILES ${path} DESTINATION .)
        endforeach()
    endif()
endif()

set(CPACK_GENERATOR NSIS)
# The NSIS lines below reach the installer script as they are written here.
set(CPACK_VERBATIM_VARIABLES ON)
# A 64-bit installer: it installs 64-bit programs, and runs where only 64-bit Windows
# programs can (Wine without its 32-bit half, as here).
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_PACKAGE_NAME VoltScope)
set(CPACK_PACKAGE_VENDOR "VoltScope developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "configure and read out a line-voltage regulator control panel")
set(CPACK_PACKAGE_FILE_NAME VoltScope-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY VoltScope)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY VoltScope)
set(CPACK_STRIP_FILES ON)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME VoltScope)  # the installer's title and the Start menu folder
set(CPACK_NSIS_DISPLAY_NAME "VoltScope ${PROJECT_VERSION}")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The desktop tool keeps a little in the registry of the user who runs it (the progress window's
# place); the uninstaller removes it for the user who uninstalls. conset.kzx files are the
# users' own and stay.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [[
  DeleteRegKey HKCU "Software\Local AppWizard-Generated Applications\VoltScope"
  DeleteRegKey /ifempty HKCU "Software\Local AppWizard-Generated Applications"]])
# No licence page: CPack would otherwise show its generic placeholder text.
set(CPACK_NSIS_LICENSE_PAGE "; no licence page")
if(VOLTSCOPE_BUILD_GUI)
    # The Start menu: the program, with the icon it carries, and the user guide. The tool keeps
    # conset.kzx in the folder it starts in, so its shortcut starts it in the Documents folder
    # (the shared one when installed for all users): Program Files is not writable for users.
    set(CPACK_NSIS_CREATE_ICONS_EXTRA [[
  SetOutPath "$DOCUMENTS"
  CreateShortCut "$SMPROGRAMS\$STARTMENU_FOLDER\VoltScope.lnk" "$INSTDIR\voltscope.exe"
  SetOutPath "$INSTDIR"]])
    # (CPack runs these lines after removing its registry key under the vendor's, which would
    # otherwise stay behind, empty.)
    set(CPACK_NSIS_DELETE_ICONS_EXTRA [[
  Delete "$SMPROGRAMS\$MUI_TEMP\VoltScope.lnk"
  DeleteRegKey /ifempty SHCTX "Software\VoltScope developers"]])
    set(CPACK_NSIS_MENU_LINKS VoltScope5_UG.pdf "VoltScope User Guide")
    set(CPACK_NSIS_INSTALLED_ICON_NAME voltscope.exe)
    if(CMAKE_CROSSCOMPILING)  # the icon file comes from the Linux build
        set(CPACK_NSIS_MUI_ICON ${PROJECT_BINARY_DIR}/packaging/voltscope.ico)
        set(CPACK_NSIS_MUI_UNIICON ${PROJECT_BINARY_DIR}/packaging/voltscope.ico)
    endif()
endif()
include(CPack)
