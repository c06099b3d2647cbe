// The toolbar across the top of the main window: the host "AOL Toolbar" holding the bar
// "_AOL_Toolbar", which holds the icons. The fifth icon opens a new instant-message window. An
// icon's press reaches the main window as WM_COMMAND with the icon's id.
#pragma once

#include <windows.h>

namespace standin {

inline constexpr int kFirstToolbarIconId = 300;
inline constexpr int kNewInstantMessageIconId = kFirstToolbarIconId + 4;  // the fifth

void RegisterToolbarClasses(HINSTANCE instance);

// Makes the host, the bar and `iconCount` icons; returns the host.
HWND CreateToolbar(HWND frame, int iconCount);

}  // namespace standin
