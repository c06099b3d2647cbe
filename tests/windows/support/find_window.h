// Finding the windows of the programs under test.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace quillow::e2e {

// What a top-level window must have; what is left out matches anything.
struct WindowQuery {
    std::optional<std::wstring> className;
    std::optional<std::wstring> title;
    DWORD processId = 0;  // 0: any program's
};

// The first top-level window that fits, or nullptr.
HWND FindTopLevelWindow(const WindowQuery& query);
// The same, waiting up to `timeout` for it to appear.
HWND WaitForTopLevelWindow(const WindowQuery& query, std::chrono::milliseconds timeout);

// The direct child with the control id, or nullptr.
HWND FindControl(HWND parent, int id);
// The index-th (from 0) direct child of the class, in child order, or nullptr.
HWND FindChild(HWND parent, std::wstring_view className, int index = 0);

std::wstring ClassName(HWND window);
// The title as the system keeps it; asks the window nothing, so it works on a busy one.
std::wstring Title(HWND window);

}  // namespace quillow::e2e
