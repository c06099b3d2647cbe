# The cross build for Windows with MinGW-w64, shared by the toolchain files of the two
# architectures, which set QUILLOW_MINGW_TARGET (the compilers' prefix), CMAKE_SYSTEM_PROCESSOR
# and QUILLOW_WINDOWS_FLOOR (the oldest Windows version the loader is asked for).
#
# The win32 thread flavour: the posix one links winpthreads, which imports GetTickCount64
# (Vista and later). Its C++ library has no std::thread or std::mutex; the programs use Win32
# threads and locks where they need them.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${QUILLOW_MINGW_TARGET}-gcc-win32)
set(CMAKE_CXX_COMPILER ${QUILLOW_MINGW_TARGET}-g++-win32)
set(CMAKE_RC_COMPILER ${QUILLOW_MINGW_TARGET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUILLOW_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained executables: no MinGW runtime DLLs beside them. The header asks the loader
# for nothing newer than the floor, for the subsystem and the system alike, whatever a later
# MinGW's defaults would be.
string(REPLACE "." ";" floor ${QUILLOW_WINDOWS_FLOOR})
list(GET floor 0 major)
list(GET floor 1 minor)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--major-subsystem-version,${major},--minor-subsystem-version,${minor},--major-os-version,${major},--minor-os-version,${minor}")

# ctest runs the Windows programs under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run")
