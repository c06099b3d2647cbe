// What can be seen of a running program from outside it: the CPU time it has used, its
// memory and its window-system objects.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

namespace quillow::bench {

// CPU time (kernel and user) that all of the program's threads have used so far, in seconds:
// the sum over a snapshot of its threads. (GetProcessTimes of another process does not move
// under Wine; the threads' times do.)
double ProcessCpuSeconds(DWORD processId);

// CPU time that Wine's server has used so far, in seconds, or nothing when not under Wine.
// Under Wine a part of every program's message-queue work is done by the server, so a fair
// account of a program's cost counts the server's time beside the program's own.
std::optional<double> WineserverCpuSeconds();

struct Memory {
    std::size_t workingSet = 0;
    std::size_t privateBytes = 0;
};
// Needs PROCESS_QUERY_INFORMATION and PROCESS_VM_READ.
std::optional<Memory> MemoryOf(HANDLE process);

struct GuiObjects {
    long user = 0;
    long gdi = 0;
    // How they were counted: "GetGuiResources", or under Wine (where GetGuiResources always
    // says 0) "windows; GDI handle table": the program's windows, and the live entries of the
    // GDI handle table that its process environment block points to.
    std::string how;
};
// Needs PROCESS_QUERY_INFORMATION and PROCESS_VM_READ.
GuiObjects GuiObjectsOf(HANDLE process, DWORD processId);

}  // namespace quillow::bench
