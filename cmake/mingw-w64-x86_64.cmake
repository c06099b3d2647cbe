# Cross build for x86-64 Windows: the same sources as the shipped 32-bit program, for running
# the Windows tests, the demo and the benchmark under 64-bit Wine on machines that cannot run
# 32-bit programs. 5.2 is the first x86-64 Windows (XP x64 and Server 2003).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUILLOW_MINGW_TARGET x86_64-w64-mingw32)
set(QUILLOW_WINDOWS_FLOOR 5.2)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
