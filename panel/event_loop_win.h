// The panel's event loop on Windows: the main message loop, and the turns of event handling
// and the sleeps that a command's wait is made of.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>

#include "automation/event_loop.h"

namespace quillow {

class Win32EventLoop final : public EventLoop {
public:
    // Whether a message would start one of the panel's commands when handled.
    using StartsCommand = std::function<bool(const MSG&)>;

    Win32EventLoop();

    // How many handlers may be nested inside one another's waits. A wait at this depth holds
    // back what would start another command (it runs, in order, once the nesting drops) and
    // serves everything else: sent messages, painting, typing, and whatever ends the program.
    static constexpr int kMaxNesting = 32;

    // The panel: the window whose controls Tab, Shift+Tab and the arrow keys move between, its
    // "Exit" button, and which of its messages start a command. What ends the program (a click
    // on `exit`, closing the panel) must not start a command by `startsCommand`.
    void SetPanel(HWND panel, HWND exit, StartsCommand startsCommand);

    double Now() override;
    void ProcessPendingEvents(double deadline) override;
    void WaitForEvents(double deadline) override;
    void ServeEnding() override;

    // The main loop: handles messages until WM_QUIT and returns its exit code.
    int RunMessageLoop();

private:
    [[nodiscard]] bool Holding() const { return depth_ >= kMaxNesting || quitting_ || ending_ > 0; }
    bool LeftForMainLoop(const MSG& msg);
    bool TakeMessage(MSG& msg);
    bool TakeEnding(MSG& msg);
    [[nodiscard]] bool ForTheLook(const MSG& msg) const;
    bool TakeFirstIf(MSG& msg, UINT message, bool (*wanted)(const MSG&));
    void Dispatch(MSG& msg);

    HWND panel_ = nullptr;
    HWND exit_ = nullptr;
    StartsCommand startsCommand_;
    std::deque<MSG> held_;  // oldest first
    double ticksPerSecond_;
    int depth_ = 0;
    bool quitting_ = false;
    int ending_ = 0;  // handlers of what ends the program under way, served by ServeEnding
};

}  // namespace quillow
