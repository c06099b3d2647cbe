// A wait that spins: a window whose thread polls its message queue (PeekMessage) without
// ever sleeping, the way a wait built on "handle pending events, check the clock, repeat"
// does. The benchmark runs it beside Quillow to show, measured the same way, what such a wait
// costs. It spins until it is ended, or for at most five minutes.
#include <windows.h>

namespace {

constexpr wchar_t kClassName[] = L"QuillowSpinWait";
constexpr ULONGLONG kLongestMs = 5 * 60 * 1000;

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    if (RegisterClassW(&windowClass) == 0) return 1;
    // Never shown: only its thread's queue matters.
    if (CreateWindowW(kClassName, L"spin wait", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                      nullptr, instance, nullptr) == nullptr) {
        return 1;
    }

    // GetTickCount, as XP has it; the unsigned difference stays right across its wrap.
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kLongestMs) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return 0;
}
