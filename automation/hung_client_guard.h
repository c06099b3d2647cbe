// Keeps one hung client from costing a procedure more than one timeout.
#pragma once

#include "automation/window_ops.h"

namespace quillow {

// Passes everything through to the real window operations until one message times out; from
// then on every further message of this procedure call is dropped as lost. A procedure makes
// one guard on entry, so nothing carries over to the next call.
class HungClientGuard final : public WindowOps {
public:
    explicit HungClientGuard(WindowOps& ops) : ops_(ops) {}

    using WindowOps::FindWindowExA;
    WindowHandle FindWindowA(std::string_view className) override;
    WindowHandle FindWindowExA(WindowHandle parent, WindowHandle after, std::string_view className,
                               std::optional<std::string_view> title) override;
    Delivery SendMessageA(WindowHandle window, Message message, std::uintptr_t wParam,
                          std::intptr_t lParam) override;
    Delivery SendText(WindowHandle window, std::string_view text) override;
    Delivery ReadText(WindowHandle window, std::string& text) override;

private:
    Delivery Note(Delivery delivery);

    WindowOps& ops_;
    bool hung_ = false;
};

}  // namespace quillow
