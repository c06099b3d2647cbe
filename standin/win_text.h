// Text conversions: the windows hold ANSI bytes (the system code page), the command line and the
// record are UTF-8, drawing is done in UTF-16.
#pragma once

#include <windows.h>

#include <string>

#include "automation/ansi_text.h"

namespace standin {

using quillow::AnsiToUtf8;
using quillow::AnsiToWide;
using quillow::Utf8ToAnsi;
using quillow::Utf8ToWide;
using quillow::WideToAnsi;
using quillow::WideToUtf8;

// The whole text of a window, as its bytes.
std::string WindowTextBytes(HWND window);

}  // namespace standin
