# Cross build for 32-bit x86 Windows with MinGW-w64: one program for Windows XP SP3 to 11,
# 32- and 64-bit (and ARM64 through its x86 emulation).
#
# The win32 thread flavour: the posix one links winpthreads, which imports GetTickCount64
# (Vista and later). Its C++ library has no std::thread or std::mutex; the programs use Win32
# threads and locks where they need them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained executables: no MinGW runtime DLLs beside them. The header asks for nothing
# newer than XP (5.1) from the loader, for the subsystem and the system alike; the linker's
# defaults would be newer on a later MinGW.
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-static -Wl,--major-subsystem-version,5,--minor-subsystem-version,1,--major-os-version,5,--minor-os-version,1")

# ctest runs the Windows programs under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run")
