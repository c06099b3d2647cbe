// Text conversions: the windows hold ANSI bytes (the system code page), the command line and the
// record are UTF-8, drawing is done in UTF-16.
#pragma once

#include <string>
#include <string_view>

#include <windows.h>

namespace standin {

std::wstring AnsiToWide(std::string_view bytes);
std::string WideToAnsi(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
std::string AnsiToUtf8(std::string_view bytes);
std::string Utf8ToAnsi(std::string_view text);

// The whole text of a window, as its bytes.
std::string WindowTextBytes(HWND window);

}  // namespace standin
