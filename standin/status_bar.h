// The strip along the bottom of the main window: the instant-message indicator ("IMs on" or
// "IMs off") and the last instant message sent to an ordinary recipient ("IM to NAME: TEXT").
// Its window text is the same, joined by "  |  ", for anyone who reads it.
#pragma once

#include <string_view>

#include <windows.h>

namespace standin {

void RegisterStatusBarClass(HINSTANCE instance);

HWND CreateStatusBar(HWND frame);

void ShowIndicator(HWND status, bool on);

// Both ANSI bytes.
void ShowLastInstantMessage(HWND status, std::string_view recipient, std::string_view text);

}  // namespace standin
