// Messages the client's windows send each other.
#pragma once

#include <windows.h>

namespace standin {

// Sent by a text box to its parent when Enter is typed into it (lParam: the box). A parent that
// returns nonzero has dealt with it and the box drops the key; zero lets the box have it.
inline constexpr UINT kEnterInBox = WM_APP + 1;

// Posted to the main window: end the program now.
inline constexpr UINT kQuitNow = WM_APP + 2;

}  // namespace standin
