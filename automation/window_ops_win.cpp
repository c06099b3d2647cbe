#include "automation/window_ops_win.h"

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

// Sends with a bounded wait: the message has been handled when this returns Handled. A window
// that is gone makes the message lost; one still there did not answer in time.
template <auto SendTimeout>
Delivery SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, unsigned timeoutMs,
                     DWORD_PTR* result) {
    if (window == nullptr) return Delivery::Lost;
    if (SendTimeout(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, timeoutMs,
                    result) != 0) {
        return Delivery::Handled;
    }
    return IsWindow(window) ? Delivery::TimedOut : Delivery::Lost;
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

Delivery Win32WindowOps::SendMessageA(WindowHandle window, Message message, std::uintptr_t wParam,
                                      std::intptr_t lParam) {
    DWORD_PTR result = 0;
    return SendBounded<SendMessageTimeoutA>(ToHwnd(window), static_cast<UINT>(message), wParam,
                                            lParam, timeoutMs_, &result);
}

Delivery Win32WindowOps::SendText(WindowHandle window, std::string_view text) {
    // Converted at the moment of hand-over and alive for the whole call.
    const std::string ansi = Utf8ToAnsi(text);
    DWORD_PTR result = 0;
    return SendBounded<SendMessageTimeoutA>(
        ToHwnd(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ansi.c_str()), timeoutMs_, &result);
}

// Read as UTF-16: Wine follows a timed-out ANSI WM_GETTEXTLENGTH to another process with an
// unbounded WM_GETTEXT, which would hang the panel on a hung client; the wide messages keep
// their bound.
Delivery Win32WindowOps::ReadText(WindowHandle window, std::string& text) {
    text.clear();
    const HWND target = ToHwnd(window);
    DWORD_PTR length = 0;
    const Delivery asked =
        SendBounded<SendMessageTimeoutW>(target, WM_GETTEXTLENGTH, 0, 0, timeoutMs_, &length);
    if (asked != Delivery::Handled) return asked;

    // The length may be an over-estimate; the copy says how much it wrote.
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    const Delivery read = SendBounded<SendMessageTimeoutW>(target, WM_GETTEXT, wide.size(),
                                                           reinterpret_cast<LPARAM>(wide.data()),
                                                           timeoutMs_, &copied);
    if (read != Delivery::Handled) return read;
    wide.resize(std::min(static_cast<size_t>(copied), wide.size() - 1));
    text = WideToUtf8(wide);
    return Delivery::Handled;
}

}  // namespace quillow
