// Conversion between the program's UTF-8 text and the system ANSI code page.
#pragma once

#include <string>
#include <string_view>

namespace quillow {

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// A character with no byte in the code page becomes the code page's default character ('?'
// in Windows-1252).
std::string Utf8ToAnsi(std::string_view text);
std::string WideToAnsi(std::wstring_view text);

}  // namespace quillow
