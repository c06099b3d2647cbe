#include "automation/hung_client_guard.h"

namespace quillow {

WindowHandle HungClientGuard::FindWindowA(std::string_view className) {
    return ops_.FindWindowA(className);
}

WindowHandle HungClientGuard::FindWindowExA(WindowHandle parent, WindowHandle after,
                                            std::string_view className,
                                            std::optional<std::string_view> title) {
    return ops_.FindWindowExA(parent, after, className, title);
}

Delivery HungClientGuard::SendMessageA(WindowHandle window, Message message, std::uintptr_t wParam,
                                       std::intptr_t lParam) {
    if (hung_) return Delivery::Lost;
    return Note(ops_.SendMessageA(window, message, wParam, lParam));
}

Delivery HungClientGuard::SendText(WindowHandle window, std::string_view text) {
    if (hung_) return Delivery::Lost;
    return Note(ops_.SendText(window, text));
}

Delivery HungClientGuard::ReadText(WindowHandle window, std::string& text) {
    text.clear();
    if (hung_) return Delivery::Lost;
    return Note(ops_.ReadText(window, text));
}

Delivery HungClientGuard::Note(Delivery delivery) {
    if (delivery == Delivery::TimedOut) hung_ = true;
    return delivery;
}

}  // namespace quillow
