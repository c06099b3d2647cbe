# Checks that a built program can load on Windows XP SP3: a 32-bit x86 program (PE machine
# 0x14c) that asks for no newer OS or subsystem than 5.1, and imports only functions in the
# list of those XP has. Prints what it found; fails on anything else.
#
#     cmake -DPROGRAM=quillow.exe -DALLOWED=xp_imports.txt -P check_imports.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/pe_imports.cmake)

foreach(input PROGRAM ALLOWED)
    if(NOT ${input})
        message(FATAL_ERROR "check_imports: ${input} is not set")
    endif()
endforeach()

set(problems "")

pe_header(${PROGRAM} machine os_version subsystem_version subsystem)
message(STATUS "PE machine: ${machine}")
if(NOT machine STREQUAL "0x014c")
    list(APPEND problems "not a 32-bit x86 program (PE machine 0x014c)")
endif()

# The versions the loader checks; XP's is 5.1.
set(fields OS Subsystem)
set(versions ${os_version} ${subsystem_version})
foreach(field version IN ZIP_LISTS fields versions)
    message(STATUS "${field} version: ${version}")
    if(version VERSION_GREATER 5.1)
        list(APPEND problems "${field} version ${version} is newer than XP's 5.1")
    endif()
endforeach()
message(STATUS "Subsystem: ${subsystem} (2 is the Windows GUI)")

# The imports, each in the list (an import by ordinal has no name, and never is).
file(STRINGS ${ALLOWED} allowed REGEX "^[^#].*!")
string(TOUPPER "${allowed}" allowed)
pe_imports(${PROGRAM} imports)
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

if(problems)
    list(JOIN problems "\n  " problems)
    message(FATAL_ERROR "${PROGRAM} would not load on Windows XP SP3:\n  ${problems}")
endif()
message(STATUS "loads on Windows XP SP3: machine, versions and all ${count} imports are as allowed")
