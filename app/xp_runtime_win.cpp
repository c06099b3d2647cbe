// Newer MinGW-w64 run-times (Debian 13's) import GetThreadId, which Windows XP lacks, for the
// locks of their threads; a program that imports it does not load on XP. Quillow starts no
// thread and never asks a thread's id, but the run-time's code that would is linked all the
// same. The import's address slot is given here instead, so the linker takes no import, and
// the function is looked up at run time. Only the 32-bit build has an XP to load on; the x86-64
// build imports the function as usual.
#include <windows.h>

#if defined(__i386__)
namespace {

using GetThreadIdFn = DWORD(WINAPI*)(HANDLE);

DWORD WINAPI GetThreadIdOrFallback(HANDLE thread) {
    // Through void(*)() so the compiler accepts the change of signature.
    const auto getThreadId = reinterpret_cast<GetThreadIdFn>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetThreadId")));
    if (getThreadId != nullptr) return getThreadId(thread);
    // Without it (XP), the one thread whose id can be told is the caller's.
    return thread == GetCurrentThread() ? GetCurrentThreadId() : 0;
}

}  // namespace

// The slot, named as the 32-bit import library spells it.
extern "C" const GetThreadIdFn quillowGetThreadIdSlot __asm__("__imp__GetThreadId@4");
extern "C" const GetThreadIdFn quillowGetThreadIdSlot = GetThreadIdOrFallback;
#endif
