// The panel's event loop on Windows: the main message loop, and the turns of event handling
// and the sleeps that a command's wait is made of.
#pragma once

#include <windows.h>

#include "automation/event_loop.h"

namespace quillow {

class Win32EventLoop final : public EventLoop {
public:
    Win32EventLoop();

    // How many handlers may be nested inside one another's waits. A wait at this depth still
    // serves sent messages and painting but leaves clicks, keys, timer ticks and posted
    // messages queued; they run, in order, once a wait further out handles events again.
    static constexpr int kMaxNesting = 32;

    // The window whose controls Tab, Shift+Tab and the arrow keys move between (the panel).
    void SetDialog(HWND dialog) { dialog_ = dialog; }

    double Now() override;
    void ProcessPendingEvents() override;
    void WaitForEvents(double deadline) override;

    // The main loop: handles messages until WM_QUIT and returns its exit code.
    int RunMessageLoop();

    // Handlers currently running inside a wait, one per level of nesting.
    [[nodiscard]] int Depth() const { return depth_; }

private:
    [[nodiscard]] bool Holding() const { return depth_ >= kMaxNesting || quitting_; }
    void Dispatch(MSG& msg);

    HWND dialog_ = nullptr;
    double ticksPerSecond_;
    int depth_ = 0;
    bool quitting_ = false;
};

}  // namespace quillow
