# The Windows desktop tool's build products that need a program run at build time: the user
# guide (with the pictures of the pages) and the icon. A cross build cannot run its own helpers,
# so it has a Linux build of the same source make them at every build (VOLTSCOPE_HOST_BUILD, by
# default the `default` preset's folder) and copies them here: the guide and the version notes
# beside voltscope.exe, the icon into the program's resources and the installer.
# Included from app/view/CMakeLists.txt.
set(VOLTSCOPE_HOST_BUILD ${PROJECT_SOURCE_DIR}/build/default CACHE PATH
    "A Linux build of this source that makes the user guide and the icon")
if(NOT EXISTS ${VOLTSCOPE_HOST_BUILD}/CMakeCache.txt)
    message(FATAL_ERROR
        "The Windows desktop tool takes its user guide and icon from a Linux build, and "
        "${VOLTSCOPE_HOST_BUILD} holds none: run `cmake --preset default` first "
        "(or set VOLTSCOPE_HOST_BUILD)")
endif()

enable_language(RC)
set(host_view ${VOLTSCOPE_HOST_BUILD}/app/view)
set(windows_icon ${PROJECT_BINARY_DIR}/packaging/voltscope.ico)
add_custom_target(voltscope_host_products ALL
    COMMAND ${CMAKE_COMMAND} --build ${VOLTSCOPE_HOST_BUILD}
            --target voltscope_help_documents voltscope_icons
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${host_view}/VoltScope5_UG.pdf
            ${host_view}/Ver_Info.txt ${CMAKE_CURRENT_BINARY_DIR}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VOLTSCOPE_HOST_BUILD}/packaging/voltscope.ico
            ${windows_icon}
    BYPRODUCTS ${CMAKE_CURRENT_BINARY_DIR}/VoltScope5_UG.pdf
               ${CMAKE_CURRENT_BINARY_DIR}/Ver_Info.txt ${windows_icon}
    COMMENT "The user guide and the icon, made by the Linux build in ${VOLTSCOPE_HOST_BUILD}"
    VERBATIM)

# The icon and the version in voltscope.exe itself, where Explorer and the Start menu find them.
string(REPLACE "." "," file_version "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0")
configure_file(${PROJECT_SOURCE_DIR}/resources/voltscope.rc.in
               ${CMAKE_CURRENT_BINARY_DIR}/voltscope.rc @ONLY)
target_sources(voltscope PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/voltscope.rc)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/voltscope.rc PROPERTIES
                            OBJECT_DEPENDS ${windows_icon})
add_dependencies(voltscope voltscope_host_products)
