// Registering the client's own window classes.
#pragma once

#include <windows.h>

#include <string_view>

namespace standin {

// An ANSI class, so that text other programs send arrives as their bytes. `name` must be
// NUL-terminated (the class-name constants are).
void RegisterWindowClass(HINSTANCE instance, std::string_view name, WNDPROC proc,
                         LPCSTR cursor = IDC_ARROW);

}  // namespace standin
