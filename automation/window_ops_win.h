// The window operations on the real platform.
#pragma once

#include "automation/window_ops.h"

namespace quillow {

class Win32WindowOps final : public WindowOps {
public:
    // A message that the receiving window has not handled within `timeoutMs` counts as timed
    // out; a window whose thread the system already judges hung fails at once.
    explicit Win32WindowOps(unsigned timeoutMs = kDefaultTimeoutMs) : timeoutMs_(timeoutMs) {}

    static constexpr unsigned kDefaultTimeoutMs = 5000;

    using WindowOps::FindWindowExA;
    WindowHandle FindWindowA(std::string_view className) override;
    WindowHandle FindWindowExA(WindowHandle parent, WindowHandle after, std::string_view className,
                               std::optional<std::string_view> title) override;
    Delivery SendMessageA(WindowHandle window, Message message, std::uintptr_t wParam,
                          std::intptr_t lParam) override;
    Delivery SendText(WindowHandle window, std::string_view text) override;
    Delivery ReadText(WindowHandle window, std::string& text) override;

private:
    unsigned timeoutMs_;
};

}  // namespace quillow
