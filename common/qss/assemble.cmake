# cmake -P: puts one style sheet together.
#   OUTPUT    the sheet to write
#   SETTINGS  ","-separated .cmake files that set the QSS_* values (palette, program)
#   PARTS     ","-separated .css parts, in order; each @QSS_…@ in them is replaced
#             by its value, and a name no settings file sets is an error.
foreach(arg OUTPUT SETTINGS PARTS)
    if(NOT DEFINED ${arg})
        message(FATAL_ERROR "assemble.cmake: ${arg} is not given")
    endif()
endforeach()

string(REPLACE "," ";" settings "${SETTINGS}")
foreach(file IN LISTS settings)
    include("${file}")
endforeach()

string(REPLACE "," ";" parts "${PARTS}")
set(sheet "")
foreach(part IN LISTS parts)
    file(READ "${part}" text)
    string(REGEX MATCHALL "@[A-Za-z0-9_]+@" names "${text}")
    foreach(name IN LISTS names)
        string(REPLACE "@" "" name "${name}")
        if(NOT DEFINED ${name})
            message(FATAL_ERROR "${part}: @${name}@ has no value")
        endif()
    endforeach()
    string(CONFIGURE "${text}" text @ONLY)
    string(APPEND sheet "${text}")
endforeach()

file(WRITE "${OUTPUT}" "${sheet}")
