#include "panel/event_loop_win.h"

#include <cmath>

namespace quillow {
namespace {

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

void Win32EventLoop::SetPanel(HWND panel, StartsCommand startsCommand) {
    panel_ = panel;
    startsCommand_ = std::move(startsCommand);
}

double Win32EventLoop::Now() {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / ticksPerSecond_;
}

// Every handler run from here may wait in turn and come back here, one level deeper. A person
// clicking fast enough would nest without bound, until the stack ran out; so past
// kMaxNesting levels what would start a command is held back, in order, and the rest served.
//
// The turn ends once the wait it serves is over, even with messages still queued: a nested
// command that outlasted this wait must not be followed by another one here, or the waits
// further out would never see that their time is up and a backlog would drain one command at
// a time instead of a whole nesting's worth at once.
void Win32EventLoop::ProcessPendingEvents(double deadline) {
    MSG msg;
    while (TakeMessage(msg)) {
        if (msg.message == WM_QUIT) {
            // Left for the main loop, which is where the program ends; the waits on the
            // stack run out meanwhile without taking new input.
            quitting_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (Holding() && startsCommand_ && startsCommand_(msg)) {
            held_.push_back(msg);
            continue;
        }
        {
            NestingLevel level(depth_);
            Dispatch(msg);
        }
        if (Now() >= deadline) return;
    }
}

// What was held back comes first, once the nesting allows it: it was queued before anything
// still in the system's queue. A holding turn takes everything out of the system's queue, so
// that what it holds back can neither wake its wait again and again nor be handled by some
// other loop out of order.
bool Win32EventLoop::TakeMessage(MSG& msg) {
    if (!Holding() && !held_.empty()) {
        msg = held_.front();
        held_.pop_front();
        return true;
    }
    return PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) != 0;
}

void Win32EventLoop::WaitForEvents(double deadline) {
    const double remaining = deadline - Now();
    if (!(remaining > 0)) return;
    // Rounded up: waking a fraction of a millisecond early would only come back for another
    // wait of 0 ms, and another, until the time was up.
    const double ms = std::ceil(remaining * 1000.0);
    const DWORD timeout = ms < kLongestWaitMs ? static_cast<DWORD>(ms) : kLongestWaitMs;
    // MWMO_INPUTAVAILABLE: also wake for input that an earlier peek has seen but left queued.
    MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

int Win32EventLoop::RunMessageLoop() {
    MSG msg;
    for (;;) {
        if (!held_.empty() && !quitting_) {
            msg = held_.front();
            held_.pop_front();
        } else {
            const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
            if (got == 0) break;
            if (got == -1) return -1;
        }
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
    if (panel_ != nullptr && (msg.hwnd == panel_ || IsChild(panel_, msg.hwnd))) {
        if (IsEnterOrEscape(msg)) return;
        if (IsDialogMessageW(panel_, &msg)) return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

}  // namespace quillow
