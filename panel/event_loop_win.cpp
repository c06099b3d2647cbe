#include "panel/event_loop_win.h"

#include <cmath>

namespace quillow {
namespace {

constexpr DWORD kLongestWaitMs = INFINITE - 1;

// One more of something under way (a nesting level, an ending), for as long as it lives.
class Level {
public:
    explicit Level(int& count) : count_(count) { ++count_; }
    ~Level() { --count_; }
    Level(const Level&) = delete;
    Level& operator=(const Level&) = delete;

private:
    int& count_;
};

bool IsEnterOrEscape(const MSG& msg) {
    return msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE);
}

// The queued messages that close the panel, besides WM_CLOSE itself.
bool IsCloseCommand(const MSG& msg) { return (msg.wParam & 0xFFF0) == SC_CLOSE; }
bool IsOnCloseBox(const MSG& msg) { return msg.wParam == HTCLOSE; }

}  // namespace

Win32EventLoop::Win32EventLoop() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    ticksPerSecond_ = static_cast<double>(frequency.QuadPart);
}

void Win32EventLoop::SetPanel(HWND panel, HWND exit, StartsCommand startsCommand) {
    panel_ = panel;
    exit_ = exit;
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
        if (LeftForMainLoop(msg)) return;
        if (Holding() && startsCommand_ && startsCommand_(msg)) {
            held_.push_back(msg);
            continue;
        }
        {
            Level level(depth_);
            Dispatch(msg);
        }
        if (Now() >= deadline) return;
    }
}

// WM_QUIT is left for the main loop, which is where the program ends; the waits on the stack
// run out meanwhile without taking new input.
bool Win32EventLoop::LeftForMainLoop(const MSG& msg) {
    if (msg.message != WM_QUIT) return false;
    quitting_ = true;
    PostQuitMessage(static_cast<int>(msg.wParam));
    return true;
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

// What ends the program goes first, whatever the depth and whatever is held back: a handler
// served here ends the process ("Exit"), or says farewell and then ends it (closing). The
// farewell's waits still serve the panel but hold back every command, queued before the close
// or clicked during it, so that its two lines come as they should and the program ends.
// What is held back never ends the program (see SetPanel), so the look need not search it.
// Any PeekMessage also delivers the messages other threads send, the system's end of session
// among them.
void Win32EventLoop::ServeEnding() {
    MSG msg;
    while (TakeEnding(msg)) {
        if (LeftForMainLoop(msg)) return;
        const Level ending(ending_);
        const Level level(depth_);
        Dispatch(msg);
    }
}

// Posted messages come out in the order they were posted, before any input. Walking them in
// that order, the look moves the clicks in front of what ends the program, in order, to the
// back of the held-back queue, which is served before the system's; it stops at the first
// posted message that is neither, which waits for its turn. Input, and anything behind that
// message, is looked for with a filter for each kind, so that it is found behind anything else
// queued. WM_QUIT may come from any of these looks, whatever the filter.
bool Win32EventLoop::TakeEnding(MSG& msg) {
    if (panel_ == nullptr || exit_ == nullptr || quitting_) return false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_POSTMESSAGE)) {
        if (!ForTheLook(msg) && !(startsCommand_ && startsCommand_(msg))) break;
        // The same message, unless a message sent meanwhile had its handler take that one;
        // then whatever comes instead is held back too rather than lost.
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE)) break;
        if (ForTheLook(msg)) return true;
        held_.push_back(msg);
    }
    // A click notification for "Exit" behind such a message: a filter cannot step over the
    // others, so those move to the held-back queue as above.
    while (PeekMessageW(&msg, panel_, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
        if (msg.message != WM_COMMAND || reinterpret_cast<HWND>(msg.lParam) == exit_) return true;
        held_.push_back(msg);
    }
    // The mouse on "Exit", BM_CLICK (how accessibility tools press a button), or the keys on it
    // (Space presses it): a button's click is the button-down then the button-up, or Space down
    // then up. Alt+F4 is a system key-down that posts SC_CLOSE, served by a later round; the
    // Alt before it is served here too, in order, since it would hide the F4 behind it. A
    // key-down of Alt sets no mode of its own.
    return PeekMessageW(&msg, exit_, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, PM_REMOVE) ||
           PeekMessageW(&msg, exit_, BM_CLICK, BM_CLICK, PM_REMOVE) ||
           PeekMessageW(&msg, exit_, WM_KEYDOWN, WM_CHAR, PM_REMOVE) ||
           PeekMessageW(&msg, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_REMOVE) ||
           PeekMessageW(&msg, panel_, WM_CLOSE, WM_CLOSE, PM_REMOVE) ||
           TakeFirstIf(msg, WM_SYSCOMMAND, IsCloseCommand) ||
           TakeFirstIf(msg, WM_NCLBUTTONDOWN, IsOnCloseBox);
}

// What the look serves: the messages that end the program and the keys and mouse on the way
// there, each the same as one of the filters above finds.
bool Win32EventLoop::ForTheLook(const MSG& msg) const {
    const UINT m = msg.message;
    if (m == WM_QUIT || m == WM_SYSKEYDOWN) return true;
    if (msg.hwnd == exit_) {
        return (m >= WM_LBUTTONDOWN && m <= WM_LBUTTONDBLCLK) || m == BM_CLICK ||
               (m >= WM_KEYDOWN && m <= WM_CHAR);
    }
    return msg.hwnd == panel_ &&
           ((m == WM_COMMAND && reinterpret_cast<HWND>(msg.lParam) == exit_) || m == WM_CLOSE ||
            (m == WM_SYSCOMMAND && IsCloseCommand(msg)) ||
            (m == WM_NCLBUTTONDOWN && IsOnCloseBox(msg)));
}

// The first `message` queued for the panel, if it passes `wanted`; otherwise it and the rest
// of its kind (moving the window, a menu) wait for their turn.
bool Win32EventLoop::TakeFirstIf(MSG& msg, UINT message, bool (*wanted)(const MSG&)) {
    if (!PeekMessageW(&msg, panel_, message, message, PM_NOREMOVE)) return false;
    if (msg.message == WM_QUIT) return true;
    return wanted(msg) && PeekMessageW(&msg, panel_, message, message, PM_REMOVE);
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
