// Finding another program's windows, and working its controls the way a person would, without
// relying on a window manager to activate its window.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace quillow::driver {

inline constexpr std::chrono::milliseconds kAnswerTimeout{5000};

enum class Visibility { Any, Shown };

// The first top-level window of the class (of the program with the id, when not 0; only a
// visible one when `Shown` is asked for), or nullptr; the second looks every `interval` for up
// to `timeout`.
HWND FindTopLevelWindow(std::wstring_view className, DWORD processId = 0,
                        Visibility visibility = Visibility::Any);
HWND WaitForTopLevelWindow(std::wstring_view className, DWORD processId,
                           std::chrono::milliseconds timeout,
                           Visibility visibility = Visibility::Any,
                           std::chrono::milliseconds interval = std::chrono::milliseconds(20));

// The index-th (from 0) direct child of the class, in child order, or nullptr.
HWND FindChild(HWND parent, std::wstring_view className, int index = 0);

// Replaces a box's text (WM_SETTEXT); false when the window did not answer in time.
bool SetText(HWND window, std::wstring_view text,
             std::chrono::milliseconds timeout = kAnswerTimeout);
// A box's whole text (WM_GETTEXT); nothing when the window did not answer in time.
std::optional<std::wstring> ReadText(HWND window,
                                     std::chrono::milliseconds timeout = kAnswerTimeout);

// Asks a window to close, as its close box does (WM_CLOSE, posted).
bool PostClose(HWND window);

// The control that has the keyboard focus in the thread that owns `window`, or nullptr.
HWND FocusedControl(HWND window);
// Presses Tab in `window`'s thread: the key goes to the focused control (or to `window` when
// nothing has the focus), so that a message loop with IsDialogMessage moves the focus.
bool PressTab(HWND window);

}  // namespace quillow::driver
