# Cross build for 32-bit x86 Windows: the shipped program, one for Windows XP SP3 to 11, 32- and
# 64-bit (and ARM64 through its x86 emulation). XP is Windows 5.1.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(QUILLOW_MINGW_TARGET i686-w64-mingw32)
set(QUILLOW_WINDOWS_FLOOR 5.1)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
