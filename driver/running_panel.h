// Quillow itself, started from the build tree as a program of its own: its panel found, its
// controls worked the way a user works them, and asked whether it still answers.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "driver/process.h"
#include "panel/layout.h"

namespace quillow::driver {

// What a click on Command<number> makes the client take: its lines, then, for "IM on" and
// "IM off", an instant message.
struct ClickEffect {
    int lines = 0;
    bool instantMessage = false;
};
ClickEffect EffectOf(int number);

// The panel's window, worked from outside the way a user works it.
class PanelControls {
public:
    explicit PanelControls(HWND window) : window_(window) {}

    HWND Window() const { return window_; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }

    // A click on Command<number>: the BN_CLICKED notification the button sends, posted to the
    // panel. Posted clicks queue up like a person's; none is dropped while another command
    // is still being handled.
    bool Click(int number) const;
    // A click as the mouse makes it: the button-down and button-up, posted to the button itself
    // with the pointer inside it. The button then notifies the panel as for a person's click.
    bool MouseClick(int number) const;
    // A press as accessibility and automation tools make it (a screen reader's default action,
    // UI Automation's Invoke): BM_CLICK posted to the button, whose own procedure turns it into
    // a click when it reaches the message.
    bool BmClick(int number) const;

    // The reason box's text, replaced or read (WM_SETTEXT, WM_GETTEXT).
    bool SetReason(std::wstring_view reason) const;
    std::optional<std::wstring> Reason() const;

    // Sends the panel WM_NULL: how long the answer took, or nothing when none came within
    // `timeout` (its thread is stuck, or the program is gone).
    std::optional<std::chrono::microseconds> Ping(std::chrono::milliseconds timeout) const;

private:
    HWND window_ = nullptr;
};

class RunningPanel : public PanelControls {
public:
    // Starts `program` and waits until its panel is first shown, which is once its two
    // greeting lines have been posted. Throws std::runtime_error when the panel is not shown
    // within `timeout`.
    static RunningPanel Start(std::chrono::milliseconds timeout = std::chrono::seconds(20),
                              const std::filesystem::path& program = Program());
    // The program started by default: the build tree's quillow.exe, or the one the environment
    // variable QUILLOW_PROGRAM names (the release check starts the program unpacked from the
    // users' archive that way).
    static std::filesystem::path Program();

    Process& process() { return process_; }
    const Process& process() const { return process_; }

    // When the program was started, and when its panel was first seen shown (CounterSeconds).
    double StartedAt() const { return startedAt_; }
    double ShownAt() const { return shownAt_; }

private:
    RunningPanel(Process process, HWND window, double startedAt, double shownAt)
        : PanelControls(window),
          process_(std::move(process)),
          startedAt_(startedAt),
          shownAt_(shownAt) {}

    Process process_;
    double startedAt_ = 0;
    double shownAt_ = 0;
};

}  // namespace quillow::driver
