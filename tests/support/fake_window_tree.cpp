#include "tests/support/fake_window_tree.h"

#include <algorithm>

#include "tests/support/windows1252.h"

namespace quillow::testing {

WindowHandle FakeWindowTree::Add(WindowHandle parent, std::string className, std::string title) {
    const WindowHandle handle = next_;
    next_ += 4;  // real handles are not consecutive either
    windows_[handle] = Window{parent, std::move(className), Utf8ToWindows1252(title), {}, {}, {}};
    (parent == 0 ? topLevel_ : windows_.at(parent).children).push_back(handle);
    return handle;
}

void FakeWindowTree::Remove(WindowHandle window) {
    const auto found = windows_.find(window);
    if (found == windows_.end()) return;
    for (const WindowHandle child : std::vector(found->second.children)) Remove(child);
    const WindowHandle parent = found->second.parent;
    auto& siblings = parent == 0 ? topLevel_ : windows_.at(parent).children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), window));
    windows_.erase(window);
}

void FakeWindowTree::OnMessage(WindowHandle window, Reaction reaction) {
    windows_.at(window).reactions.push_back(std::move(reaction));
}

void FakeWindowTree::SetTextUtf8(WindowHandle window, std::string_view text) {
    windows_.at(window).bytes = Utf8ToWindows1252(text);
}

std::string FakeWindowTree::TextUtf8(WindowHandle window) const {
    return Windows1252ToUtf8(windows_.at(window).bytes);
}

std::vector<ReceivedMessage> FakeWindowTree::ReceivedBy(WindowHandle window) const {
    std::vector<ReceivedMessage> messages;
    std::copy_if(received_.begin(), received_.end(), std::back_inserter(messages),
                 [&](const ReceivedMessage& m) { return m.window == window; });
    return messages;
}

WindowHandle FakeWindowTree::FindWindowA(std::string_view className) {
    return FindWindowExA(0, 0, className, std::nullopt);
}

WindowHandle FakeWindowTree::FindWindowExA(WindowHandle parent, WindowHandle after,
                                           std::string_view className,
                                           std::optional<std::string_view> title) {
    lookups_.push_back({parent, after, std::string(className)});
    if (parent != 0 && !windows_.contains(parent)) return 0;
    const auto& children = parent == 0 ? topLevel_ : windows_.at(parent).children;
    auto it = children.begin();
    if (after != 0) {
        it = std::find(children.begin(), children.end(), after);
        if (it == children.end()) return 0;  // `after` is not a child of parent
        ++it;
    }
    const std::string wantedTitle = title ? Utf8ToWindows1252(*title) : std::string();
    for (; it != children.end(); ++it) {
        const Window& window = windows_.at(*it);
        if (window.className == className && (!title || window.title == wantedTitle)) return *it;
    }
    return 0;
}

Delivery FakeWindowTree::SendMessageA(WindowHandle window, Message message, std::uintptr_t wParam,
                                      std::intptr_t lParam) {
    return Deliver({clock_(), window, message, wParam, lParam, {}});
}

Delivery FakeWindowTree::SendText(WindowHandle window, std::string_view text) {
    return Deliver({clock_(), window, Message::SetText, 0, 0, Utf8ToWindows1252(text)});
}

Delivery FakeWindowTree::ReadText(WindowHandle window, std::string& text) {
    text.clear();
    const auto found = windows_.find(window);
    if (found == windows_.end()) return Delivery::Lost;
    if (found->second.hung) {
        ++timedOut_;
        return Delivery::TimedOut;
    }
    text = Windows1252ToUtf8(found->second.bytes);
    return Delivery::Handled;
}

Delivery FakeWindowTree::Deliver(ReceivedMessage message) {
    const auto found = windows_.find(message.window);
    if (found == windows_.end()) return Delivery::Lost;
    if (found->second.hung) {
        ++timedOut_;
        return Delivery::TimedOut;
    }
    if (message.message == Message::SetText) found->second.bytes = message.bytes;
    received_.push_back(message);
    // A reaction may add or remove windows, so work from copies.
    for (const Reaction& react : std::vector(found->second.reactions)) react(message);
    return Delivery::Handled;
}

}  // namespace quillow::testing
