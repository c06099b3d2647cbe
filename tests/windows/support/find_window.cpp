#include "tests/windows/support/find_window.h"

#include "tests/windows/support/wait_until.h"

namespace quillow::e2e {
namespace {

bool Fits(HWND window, const WindowQuery& query) {
    if (query.processId != 0) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != query.processId) return false;
    }
    if (query.className && ClassName(window) != *query.className) return false;
    return !query.title || Title(window) == *query.title;
}

}  // namespace

std::wstring ClassName(HWND window) {
    wchar_t name[256];
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

std::wstring Title(HWND window) {
    std::wstring title(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    title.resize(static_cast<size_t>(
        InternalGetWindowText(window, title.data(), static_cast<int>(title.size()))));
    return title;
}

HWND FindTopLevelWindow(const WindowQuery& query) {
    struct Search {
        const WindowQuery* query;
        HWND found;
    } search{&query, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* search = reinterpret_cast<Search*>(context);
            if (!Fits(window, *search->query)) return TRUE;
            search->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopLevelWindow(const WindowQuery& query, std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopLevelWindow(query)) != nullptr; }, timeout);
    return found;
}

HWND FindControl(HWND parent, int id) { return GetDlgItem(parent, id); }

HWND FindChild(HWND parent, std::wstring_view className, int index) {
    const std::wstring name(className);
    HWND child = nullptr;
    for (int i = 0; i <= index; ++i) {
        child = FindWindowExW(parent, child, name.c_str(), nullptr);
        if (child == nullptr) return nullptr;
    }
    return child;
}

}  // namespace quillow::e2e
