// The panel's event loop on Windows: the main message loop, and the turns of event handling
// and the sleeps that a command's wait is made of.
#pragma once

#include <windows.h>

#include <deque>

#include "automation/event_loop.h"

namespace quillow {

class Win32EventLoop final : public EventLoop {
public:
    Win32EventLoop();

    // How many handlers may be nested inside one another's waits. A wait at this depth holds
    // back what would start another command (it runs, in order, once the nesting drops) and
    // serves everything else: sent messages, painting, typing, and whatever ends the program.
    static constexpr int kMaxNesting = 32;

    // The panel: the window whose controls Tab, Shift+Tab and the arrow keys move between, its
    // "Exit" button, and its reason box, the one control that starts no command.
    void SetPanel(HWND panel, HWND exit, HWND reasonBox);

    double Now() override;
    void ProcessPendingEvents(double deadline) override;
    void WaitForEvents(double deadline) override;
    void ServeEnding() override;

    // The main loop: handles messages until WM_QUIT and returns its exit code.
    int RunMessageLoop();

private:
    // What handling a queued message would do, as far as the waits are concerned.
    enum class Effect { EndsProgram, StartsCommand, Other };
    [[nodiscard]] Effect EffectOf(const MSG& msg) const;

    [[nodiscard]] bool Holding() const { return depth_ >= kMaxNesting || quitting_ || ending_ > 0; }
    bool LeftForMainLoop(const MSG& msg);
    bool TakeHeld(MSG& msg);
    bool TakeEnding(MSG& msg);
    bool TakeEndingOfKind(MSG& msg, HWND window, UINT first, UINT last, UINT queues);
    void Dispatch(MSG& msg);

    HWND panel_ = nullptr;
    HWND exit_ = nullptr;
    HWND reasonBox_ = nullptr;
    std::deque<MSG> held_;  // oldest first
    double ticksPerSecond_;
    int depth_ = 0;
    bool quitting_ = false;
    int ending_ = 0;  // handlers of what ends the program under way, served by ServeEnding
};

}  // namespace quillow
