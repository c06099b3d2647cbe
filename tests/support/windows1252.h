// Windows-1252, the ANSI code page of an English Windows, for the in-memory window tree.
#pragma once

#include <string>
#include <string_view>

namespace quillow::testing {

// A character with no byte in the code page becomes '?', as on Windows.
std::string Utf8ToWindows1252(std::string_view text);
std::string Windows1252ToUtf8(std::string_view bytes);

}  // namespace quillow::testing
