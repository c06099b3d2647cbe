// The two programs' top-level windows: finding them, placing the panel, measuring them.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>

namespace quillow::demo {

inline constexpr std::chrono::seconds kStartTimeout{30};

// The panel's visible window, waiting up to `timeout` for it. Throws std::runtime_error when
// it did not show up in time.
HWND WaitForPanel(std::chrono::milliseconds timeout = kStartTimeout);
// The same for the stand-in client's main window.
HWND WaitForClient(std::chrono::milliseconds timeout = kStartTimeout);
// Whichever is there now, or nullptr.
HWND FindPanel();
HWND FindClient();

// Moves the window's top-left corner to (x, y) on the screen and has it repainted there.
void MoveWindowTo(HWND window, int x, int y);

// Throws std::runtime_error unless the panel's client area has the size its layout gives at
// `dpi` dots per inch.
void CheckPanelDensity(HWND panel, int dpi);

// The window's place on the screen as an ImageMagick geometry, WxH+X+Y.
std::string ScreenGeometry(HWND window);

// Asks the window to close and waits up to `timeout` for it to be gone; throws
// std::runtime_error, naming it `what`, when it is still there.
void CloseAndWait(HWND window, const std::string& what, std::chrono::milliseconds timeout);

}  // namespace quillow::demo
