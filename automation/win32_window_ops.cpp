#include "automation/win32_window_ops.h"

#include <windows.h>

#include <algorithm>

#include "automation/ansi_text.h"

namespace quillow {
namespace {

// Window handles carry 32 significant bits, also in 64-bit processes.
HWND ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(window));
}

WindowHandle ToHandle(HWND window) {
    return static_cast<WindowHandle>(reinterpret_cast<std::intptr_t>(window));
}

}  // namespace

WindowHandle Win32WindowOps::FindWindowA(std::string_view className) {
    return ToHandle(::FindWindowA(std::string(className).c_str(), nullptr));
}

WindowHandle Win32WindowOps::FindWindowExA(WindowHandle parent, WindowHandle after,
                                           std::string_view className,
                                           std::optional<std::string_view> title) {
    const std::string ansiTitle = title ? Utf8ToAnsi(*title) : std::string();
    return ToHandle(::FindWindowExA(ToHwnd(parent), ToHwnd(after), std::string(className).c_str(),
                                    title ? ansiTitle.c_str() : nullptr));
}

// Sends with a bounded wait: the message has been handled when this returns Handled.
static Delivery SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            unsigned timeoutMs, DWORD_PTR* result) {
    if (window == nullptr) return Delivery::Lost;
    if (SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                            timeoutMs, result) != 0) {
        return Delivery::Handled;
    }
    return IsWindow(window) ? Delivery::TimedOut : Delivery::Lost;
}

Delivery Win32WindowOps::SendMessageA(WindowHandle window, Message message, std::uintptr_t wParam,
                                      std::intptr_t lParam) {
    DWORD_PTR result = 0;
    return SendBounded(ToHwnd(window), static_cast<UINT>(message), wParam, lParam, timeoutMs_,
                       &result);
}

Delivery Win32WindowOps::SendText(WindowHandle window, std::string_view text) {
    // Converted at the moment of hand-over and alive for the whole call.
    const std::string ansi = Utf8ToAnsi(text);
    DWORD_PTR result = 0;
    return SendBounded(ToHwnd(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ansi.c_str()),
                       timeoutMs_, &result);
}

Delivery Win32WindowOps::ReadText(WindowHandle window, std::string& text) {
    text.clear();
    DWORD_PTR length = 0;
    const Delivery asked = SendBounded(ToHwnd(window), WM_GETTEXTLENGTH, 0, 0, timeoutMs_, &length);
    if (asked != Delivery::Handled) return asked;

    // The length may be an over-estimate (it can count a double-byte character twice); the
    // copy says how much it wrote.
    std::string ansi(static_cast<size_t>(length) + 1, '\0');
    DWORD_PTR copied = 0;
    const Delivery read = SendBounded(ToHwnd(window), WM_GETTEXT, ansi.size(),
                                      reinterpret_cast<LPARAM>(ansi.data()), timeoutMs_, &copied);
    if (read != Delivery::Handled) return read;
    ansi.resize(std::min(static_cast<size_t>(copied), ansi.size() - 1));
    text = AnsiToUtf8(ansi);
    return Delivery::Handled;
}

}  // namespace quillow
