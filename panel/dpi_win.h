// The screen densities the panel is laid out for. Windows 8.1 and later tell each monitor's
// density; older Windows have one density for the whole screen. The newer function is looked
// up when first needed, never imported, so the program still starts on Windows XP, and falls
// back to what XP has.
#pragma once

#include <windows.h>

namespace quillow::dpi {

// Sent when the panel's density changes (Windows 8.1 and later): the new density in both
// words of wParam, and in lParam the RECT the system suggests for the window.
inline constexpr UINT kWmDpiChanged = 0x02E0;

// The screen's density (LOGPIXELSY), 96 if it cannot be read: the system's density on Vista
// and later, the only one on XP.
[[nodiscard]] int ScreenDpi();

// The density of the monitor that holds the most of `rect` (in screen pixels), or the
// primary one if none does; the screen's density before Windows 8.1.
[[nodiscard]] int MonitorDpi(const RECT& rect);

}  // namespace quillow::dpi
