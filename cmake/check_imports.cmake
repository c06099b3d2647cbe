# Checks that a built program can load on Windows XP SP3: a 32-bit x86 program (PE machine
# 0x14c) that asks for no newer OS or subsystem than 5.1, and imports only functions in the
# list of those XP has. Prints what it found; fails on anything else.
#
#     cmake -DPROGRAM=quillow.exe -DALLOWED=xp_imports.txt -DOBJDUMP=objdump
#           -P check_imports.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/pe_imports.cmake)

foreach(input PROGRAM ALLOWED OBJDUMP)
    if(NOT ${input})
        message(FATAL_ERROR "check_imports: ${input} is not set")
    endif()
endforeach()

set(problems "")

# The PE header: "PE\0\0" at the offset the DOS header gives at 0x3c, then the machine.
file(READ ${PROGRAM} at LIMIT 4 OFFSET 60 HEX)
string(REGEX REPLACE "(..)(..)(..)(..)" "0x\\4\\3\\2\\1" at "${at}")
math(EXPR at "${at}")
file(READ ${PROGRAM} signature LIMIT 6 OFFSET ${at} HEX)
string(SUBSTRING "${signature}" 8 4 machine)
string(REGEX REPLACE "(..)(..)" "0x\\2\\1" machine "${machine}")
message(STATUS "PE machine: ${machine}")
if(NOT signature MATCHES "^50450000" OR NOT machine STREQUAL "0x014c")
    list(APPEND problems "not a 32-bit x86 program (PE machine 0x014c)")
endif()

pe_dump(${PROGRAM} ${OBJDUMP} dump)

# The versions the loader checks; XP's is 5.1.
foreach(field OS Subsystem)
    set(major "")
    set(minor "")
    foreach(line IN LISTS dump)
        # objdump spells the OS's fields MajorOSystemVersion and MinorOSystemVersion.
        if(line MATCHES "^Major${field}(ystem)?Version[ \t]+([0-9]+)")
            set(major ${CMAKE_MATCH_2})
        elseif(line MATCHES "^Minor${field}(ystem)?Version[ \t]+([0-9]+)")
            set(minor ${CMAKE_MATCH_2})
        endif()
    endforeach()
    message(STATUS "${field} version: ${major}.${minor}")
    if(major STREQUAL "" OR minor STREQUAL "" OR major GREATER 5 OR
       (major EQUAL 5 AND minor GREATER 1))
        list(APPEND problems "${field} version ${major}.${minor} is newer than XP's 5.1")
    endif()
endforeach()
foreach(line IN LISTS dump)
    if(line MATCHES "^Subsystem[ \t]+[0-9a-f]+[ \t]+\\((.*)\\)")
        message(STATUS "Subsystem: ${CMAKE_MATCH_1}")
    endif()
endforeach()

# The imports, each in the list (an import by ordinal has no name, and never is).
file(STRINGS ${ALLOWED} allowed REGEX "^[^#].*!")
string(TOUPPER "${allowed}" allowed)
pe_imports(dump imports)
list(LENGTH imports count)
foreach(import IN LISTS imports)
    string(TOUPPER "${import}" key)
    if(key IN_LIST allowed)
        message(STATUS "  ${import}")
    else()
        message(STATUS "  ${import}   <- not in the list")
        list(APPEND problems "imports ${import}, which is not in ${ALLOWED}")
    endif()
endforeach()
message(STATUS "${count} imports")
if(count EQUAL 0)
    list(APPEND problems "found no imports: not a program objdump can read?")
endif()

if(problems)
    list(JOIN problems "\n  " problems)
    message(FATAL_ERROR "${PROGRAM} would not load on Windows XP SP3:\n  ${problems}")
endif()
message(STATUS "loads on Windows XP SP3: machine, versions and all ${count} imports are as allowed")
