# Includes run down the floors, never up: a file includes only its own floor or lower
# ones. The floors, from the ground up, written here once:
#   cmake -DSOURCE_DIR=<repo> -P layers.cmake
set(floors
    "golf"
    "data"
    "reports|ui"
    "base"
    "masterdata|rounds|search|stats|competitions|about"
    "app")
function(floor_of folder result)
    set(level 0)
    foreach(names IN LISTS floors)
        if(folder MATCHES "^(${names})$")
            set(${result} ${level} PARENT_SCOPE)
            return()
        endif()
        math(EXPR level "${level} + 1")
    endforeach()
    set(${result} -1 PARENT_SCOPE)
endfunction()
file(GLOB_RECURSE sources "${SOURCE_DIR}/src/*.cpp" "${SOURCE_DIR}/src/*.h")
set(offenders "")
foreach(source IN LISTS sources)
    # Matched below the source folder: the checkout itself may sit under a src.
    file(RELATIVE_PATH relative "${SOURCE_DIR}/src" "${source}")
    string(REGEX MATCH "^([a-z]+)/" _ "${relative}")
    set(own "${CMAKE_MATCH_1}")
    floor_of("${own}" own_floor)
    if(own_floor LESS 0)
        list(APPEND offenders "${source}: the folder ${own} has no floor")
        continue()
    endif()
    file(STRINGS "${source}" includes REGEX "^#include \"[a-z]+/")
    foreach(line IN LISTS includes)
        string(REGEX MATCH "^#include \"([a-z]+)/" _ "${line}")
        set(other "${CMAKE_MATCH_1}")
        floor_of("${other}" other_floor)
        if(other_floor GREATER own_floor)
            list(APPEND offenders "${source}: ${line} runs up from ${own} to ${other}")
        endif()
    endforeach()
endforeach()
if(offenders)
    list(JOIN offenders "\n" report)
    message(FATAL_ERROR "Includes that run up the floors:\n${report}")
endif()
