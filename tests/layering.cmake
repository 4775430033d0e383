# Each layer includes only the layers below it: serial -> protocol -> pages/kit -> pages ->
# app -> app/view, widgets. Only the Qt views include Qt. Run as a test with -DSOURCE_DIR=...
set(rules
    "serial|protocol/|pages/|app/|widgets/|sim/|<Q"
    "protocol|pages/|app/|widgets/|sim/|<Q"
    "pages/kit|pages/settings/|pages/data/|app/|widgets/|sim/|<Q"
    "pages|app/|widgets/|sim/|<Q"
    "sim|pages/|app/|widgets/|<Q"
    "cli|app/view/|widgets/|<Q")
set(failures "")
foreach(rule IN LISTS rules)
    string(REPLACE "|" ";" parts "${rule}")
    list(POP_FRONT parts folder)
    file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
    foreach(source IN LISTS sources)
        file(STRINGS "${source}" includes REGEX "^#include ")
        foreach(line IN LISTS includes)
            foreach(forbidden IN LISTS parts)
                string(FIND "${line}" "#include \"${forbidden}" quoted)
                string(FIND "${line}" "#include ${forbidden}" angled)
                if(NOT quoted EQUAL -1 OR (forbidden STREQUAL "<Q" AND NOT angled EQUAL -1))
                    file(RELATIVE_PATH where "${SOURCE_DIR}" "${source}")
                    string(APPEND failures "  ${where}: ${line}\n")
                endif()
            endforeach()
        endforeach()
    endforeach()
endforeach()
# app/ outside its view keeps to the toolkit-free core.
file(GLOB app_sources "${SOURCE_DIR}/app/*.h" "${SOURCE_DIR}/app/*.cpp")
foreach(source IN LISTS app_sources)
    file(STRINGS "${source}" includes REGEX "^#include (<Q|\"app/view/|\"widgets/)")
    foreach(line IN LISTS includes)
        file(RELATIVE_PATH where "${SOURCE_DIR}" "${source}")
        string(APPEND failures "  ${where}: ${line}\n")
    endforeach()
endforeach()
if(failures)
    message(FATAL_ERROR "includes that reach up a layer:\n${failures}")
endif()
