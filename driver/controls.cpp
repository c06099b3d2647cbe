#include "driver/controls.h"

#include <algorithm>

#include "driver/clock.h"

namespace quillow::driver {

namespace {

struct TopLevelSearch {
    std::wstring className;
    DWORD processId;
    Visibility visibility;
    HWND found;
};

// A named function rather than a lambda: on 32-bit Windows a callback must be stdcall.
BOOL CALLBACK MatchTopLevel(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<TopLevelSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[256];
    const int length = GetClassNameW(window, name, 256);
    if ((search->processId != 0 && owner != search->processId) ||
        (search->visibility == Visibility::Shown && !IsWindowVisible(window)) ||
        std::wstring_view(name, length > 0 ? static_cast<size_t>(length) : 0) !=
            search->className) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

}  // namespace

HWND FindTopLevelWindow(std::wstring_view className, DWORD processId, Visibility visibility) {
    TopLevelSearch search{std::wstring(className), processId, visibility, nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopLevelWindow(std::wstring_view className, DWORD processId,
                           std::chrono::milliseconds timeout, Visibility visibility,
                           std::chrono::milliseconds interval) {
    HWND found = nullptr;
    WaitUntil(
        [&] { return (found = FindTopLevelWindow(className, processId, visibility)) != nullptr; },
        timeout, interval);
    return found;
}

HWND FindChild(HWND parent, std::wstring_view className, int index) {
    const std::wstring name(className);
    HWND child = nullptr;
    for (int i = 0; i <= index; ++i) {
        child = FindWindowExW(parent, child, name.c_str(), nullptr);
        if (child == nullptr) return nullptr;
    }
    return child;
}

bool SetText(HWND window, std::wstring_view text, std::chrono::milliseconds timeout) {
    const std::wstring terminated(text);
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(terminated.c_str()),
                               SMTO_ABORTIFHUNG, static_cast<UINT>(timeout.count()), &result) != 0;
}

std::optional<std::wstring> ReadText(HWND window, std::chrono::milliseconds timeout) {
    const auto ms = static_cast<UINT>(timeout.count());
    DWORD_PTR length = 0;
    if (SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, ms, &length) == 0) {
        return std::nullopt;
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                            SMTO_ABORTIFHUNG, ms, &copied) == 0) {
        return std::nullopt;
    }
    text.resize(std::min(static_cast<size_t>(copied), text.size() - 1));
    return text;
}

bool PostClose(HWND window) { return PostMessageW(window, WM_CLOSE, 0, 0) != 0; }

HWND FocusedControl(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

bool PressTab(HWND window) {
    HWND target = FocusedControl(window);
    if (target == nullptr) target = window;
    // Repeat count 1 and the Tab key's scan code; the release also flags "was down" and "up".
    constexpr LPARAM kPress = 0x000F0001;
    constexpr LPARAM kRelease = static_cast<LPARAM>(0xC00F0001u);
    return PostMessageW(target, WM_KEYDOWN, VK_TAB, kPress) != 0 &&
           PostMessageW(target, WM_KEYUP, VK_TAB, kRelease) != 0;
}

}  // namespace quillow::driver
