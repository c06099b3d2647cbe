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

void Win32EventLoop::SetPanel(HWND panel, HWND exit, HWND reasonBox) {
    panel_ = panel;
    exit_ = exit;
    reasonBox_ = reasonBox;
}

// The one rule for the waits. What ends the program: WM_QUIT; the mouse, BM_CLICK (how
// accessibility tools press a button) or a key on "Exit" (a button's click is the button-down
// then the button-up, or Space down then up); its click notification; closing the panel by
// WM_CLOSE, its close box or SC_CLOSE; and a system key-down, since Alt+F4 posts SC_CLOSE only
// once its key-down is handled (a key-down of Alt sets no mode of its own). What starts a
// command: the panel's timer, any other button's click notification, and pressing any other
// button with the mouse or the keys. Moving the mouse starts nothing: it is how tooltips are
// shown, and how the buttons learn where the mouse is.
Win32EventLoop::Effect Win32EventLoop::EffectOf(const MSG& msg) const {
    const UINT m = msg.message;
    if (m == WM_QUIT || m == WM_SYSKEYDOWN) return Effect::EndsProgram;
    if (panel_ == nullptr) return Effect::Other;
    const bool keys = m >= WM_KEYDOWN && m <= WM_DEADCHAR;
    const bool buttons = m > WM_MOUSEMOVE && m <= WM_MOUSELAST;
    if (msg.hwnd == exit_) {
        const bool click = (m >= WM_LBUTTONDOWN && m <= WM_LBUTTONDBLCLK) || m == BM_CLICK ||
                           (m >= WM_KEYDOWN && m <= WM_CHAR);
        return click ? Effect::EndsProgram : Effect::Other;
    }
    if (msg.hwnd == panel_) {
        if (m == WM_COMMAND) {
            return reinterpret_cast<HWND>(msg.lParam) == exit_ ? Effect::EndsProgram
                                                                : Effect::StartsCommand;
        }
        if (m == WM_CLOSE || (m == WM_SYSCOMMAND && IsCloseCommand(msg)) ||
            (m == WM_NCLBUTTONDOWN && IsOnCloseBox(msg))) {
            return Effect::EndsProgram;
        }
        return m == WM_TIMER ? Effect::StartsCommand : Effect::Other;
    }
    const bool press = keys || buttons || m == BM_CLICK;
    return press && msg.hwnd != reasonBox_ && IsChild(panel_, msg.hwnd) ? Effect::StartsCommand
                                                                        : Effect::Other;
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
    while (TakeHeld(msg) || PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (LeftForMainLoop(msg)) return;
        if (Holding() && EffectOf(msg) == Effect::StartsCommand) {
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
bool Win32EventLoop::TakeHeld(MSG& msg) {
    if (Holding() || held_.empty()) return false;
    msg = held_.front();
    held_.pop_front();
    return true;
}

// What ends the program goes first, whatever the depth and whatever is held back: a handler
// served here ends the process ("Exit"), or says farewell and then ends it (closing). The
// farewell's waits still serve the panel but hold back every command, queued before the close
// or clicked during it, so that its two lines come as they should and the program ends.
// Only what starts a command is held back, so the look need not search the held-back queue.
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

// Posted messages come out in the order they were posted, before any input; so they are looked
// at first, in that order. Input, and anything behind a posted message that waits its turn, is
// looked for with a filter for each kind of what may end the program, so that it is found
// behind anything else queued.
bool Win32EventLoop::TakeEnding(MSG& msg) {
    if (panel_ == nullptr || exit_ == nullptr || quitting_) return false;
    struct Kind {
        HWND window;
        UINT first, last, queues;
    };
    const Kind kinds[] = {
        {nullptr, 0, 0, PM_QS_POSTMESSAGE},
        {panel_, WM_COMMAND, WM_COMMAND, 0},
        {exit_, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, 0},
        {exit_, BM_CLICK, BM_CLICK, 0},
        {exit_, WM_KEYDOWN, WM_CHAR, 0},
        {nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, 0},
        {panel_, WM_CLOSE, WM_CLOSE, 0},
        {panel_, WM_SYSCOMMAND, WM_SYSCOMMAND, 0},
        {panel_, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, 0},
    };
    for (const Kind& kind : kinds) {
        if (TakeEndingOfKind(msg, kind.window, kind.first, kind.last, kind.queues)) return true;
    }
    return false;
}

// Walks the messages a filter finds, oldest first: one that ends the program is taken; one that
// would start a command moves, in order, to the back of the held-back queue, which is served
// before the system's, since a filter cannot step over it; at anything else (moving the window,
// a menu) the walk stops and the rest wait for their turn. WM_QUIT may come from any filter.
bool Win32EventLoop::TakeEndingOfKind(MSG& msg, HWND window, UINT first, UINT last,
                                      UINT queues) {
    while (PeekMessageW(&msg, window, first, last, PM_NOREMOVE | queues)) {
        if (msg.message == WM_QUIT) return true;
        if (EffectOf(msg) == Effect::Other) return false;
        // The same message, unless a message sent meanwhile had its handler take that one;
        // then whatever comes instead is held back too rather than lost.
        if (!PeekMessageW(&msg, window, first, last, PM_REMOVE | queues)) return false;
        if (EffectOf(msg) == Effect::EndsProgram) return true;
        held_.push_back(msg);
    }
    return false;
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
        if (!TakeHeld(msg)) {
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
