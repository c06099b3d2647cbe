#include "panel/win32_event_loop.h"

#include <cmath>

namespace quillow {
namespace {

// What a holding wait still attends to: messages other threads and processes send, which
// must be answered for them to go on, and repainting, so the panel never looks frozen.
constexpr UINT kHeldPeek = PM_QS_SENDMESSAGE | PM_QS_PAINT;
constexpr DWORD kHeldWake = QS_SENDMESSAGE | QS_PAINT;

constexpr DWORD kLongestWaitMs = INFINITE - 1;

class NestingLevel {
public:
    explicit NestingLevel(int& depth) : depth_(depth) { ++depth_; }
    ~NestingLevel() { --depth_; }
    NestingLevel(const NestingLevel&) = delete;
    NestingLevel& operator=(const NestingLevel&) = delete;

private:
    int& depth_;
};

bool IsEnterOrEscape(const MSG& msg) {
    return msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE);
}

}  // namespace

Win32EventLoop::Win32EventLoop() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    ticksPerSecond_ = static_cast<double>(frequency.QuadPart);
}

double Win32EventLoop::Now() {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / ticksPerSecond_;
}

// Every handler run from here may wait in turn and come back here, one level deeper. A person
// clicking fast enough would nest without bound, until the stack ran out; so past
// kMaxNesting levels only sent messages and painting are served, and the rest stays queued.
void Win32EventLoop::ProcessPendingEvents() {
    const UINT filter = Holding() ? kHeldPeek : 0;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | filter)) {
        if (msg.message == WM_QUIT) {
            // Left for the main loop, which is where the program ends; the waits on the
            // stack run out meanwhile without taking new input.
            quitting_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        NestingLevel level(depth_);
        Dispatch(msg);
    }
}

void Win32EventLoop::WaitForEvents(double deadline) {
    const double remaining = deadline - Now();
    if (!(remaining > 0)) return;
    // Rounded up: waking a fraction of a millisecond early would only come back for another
    // wait of 0 ms, and another, until the time was up.
    const double ms = std::ceil(remaining * 1000.0);
    const DWORD timeout = ms < kLongestWaitMs ? static_cast<DWORD>(ms) : kLongestWaitMs;
    // MWMO_INPUTAVAILABLE: also wake for input that an earlier peek has seen but left queued.
    // A holding wait does not ask for input at all, so the clicks it leaves queued cannot
    // wake it again and again.
    MsgWaitForMultipleObjectsEx(0, nullptr, timeout, Holding() ? kHeldWake : QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
}

int Win32EventLoop::RunMessageLoop() {
    MSG msg;
    BOOL got;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1) return -1;
        Dispatch(msg);
    }
    quitting_ = false;
    return static_cast<int>(msg.wParam);
}

// The dialog manager gives the panel its keyboard interface: Tab and the arrow keys move
// between the controls, Space presses the focused button. The panel has no default or cancel
// button, but left to the dialog manager Enter and Escape would send the commands IDOK and
// IDCANCEL, which are the ids of "Start" and "Stop". They are dropped before they reach it,
// and before they become characters the reason box would beep at.
void Win32EventLoop::Dispatch(MSG& msg) {
    if (dialog_ != nullptr && (msg.hwnd == dialog_ || IsChild(dialog_, msg.hwnd))) {
        if (IsEnterOrEscape(msg)) return;
        if (IsDialogMessageW(dialog_, &msg)) return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

}  // namespace quillow
