#include "tests/support/fake_window_tree.h"

#include <algorithm>
#include <iterator>

namespace quillow::testing {
namespace {

// Bytes 0x80 to 0x9F of Windows-1252; the rest of the code page is Latin-1. The five unassigned
// bytes stand for the C1 controls of the same value, as on Windows.
constexpr char32_t kHighBytes[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// A character with no byte in the code page becomes '?', as on Windows.
std::string ToAnsi(std::string_view utf8) {
    std::string bytes;
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (size_t k = 1; k < length && i + k < utf8.size(); ++k) {
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        const auto* high = std::find(std::begin(kHighBytes), std::end(kHighBytes), c);
        if (c < 0x80 || (c >= 0xA0 && c < 0x100)) {
            bytes += static_cast<char>(c);
        } else {
            bytes +=
                high == std::end(kHighBytes) ? '?' : static_cast<char>(0x80 + (high - kHighBytes));
        }
        i += length;
    }
    return bytes;
}

std::string ToUtf8(std::string_view bytes) {
    std::string utf8;
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        const char32_t c = b >= 0x80 && b < 0xA0 ? kHighBytes[b - 0x80] : b;
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else if (c < 0x800) {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | (c >> 12));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

}  // namespace

WindowHandle FakeWindowTree::Add(WindowHandle parent, std::string className,
                                 std::string_view title) {
    const WindowHandle handle = next_;
    next_ += 4;  // real handles are not consecutive either
    windows_[handle] = Window{parent, std::move(className), ToAnsi(title), {}, {}, {}};
    (parent == 0 ? topLevel_ : windows_.at(parent).children).push_back(handle);
    return handle;
}

void FakeWindowTree::Remove(WindowHandle window) {
    const auto found = windows_.find(window);
    if (found == windows_.end()) return;
    for (const WindowHandle child : std::vector(found->second.children)) Remove(child);
    auto& siblings =
        found->second.parent == 0 ? topLevel_ : windows_.at(found->second.parent).children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), window));
    windows_.erase(window);
}

void FakeWindowTree::OnMessage(WindowHandle window, Reaction reaction) {
    windows_.at(window).reactions.push_back(std::move(reaction));
}

void FakeWindowTree::SetText(WindowHandle window, std::string_view utf8) {
    windows_.at(window).bytes = ToAnsi(utf8);
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
    auto it = after == 0 ? children.begin() : std::find(children.begin(), children.end(), after);
    if (after != 0 && it != children.end()) ++it;
    for (; it != children.end(); ++it) {
        const Window& window = windows_.at(*it);
        if (window.className == className && (!title || window.title == ToAnsi(*title))) return *it;
    }
    return 0;
}

Delivery FakeWindowTree::SendMessageA(WindowHandle window, Message message, std::uintptr_t wParam,
                                      std::intptr_t lParam) {
    return Deliver({clock_(), window, message, wParam, lParam, {}});
}

Delivery FakeWindowTree::SendText(WindowHandle window, std::string_view text) {
    return Deliver({clock_(), window, Message::SetText, 0, 0, ToAnsi(text)});
}

Delivery FakeWindowTree::ReadText(WindowHandle window, std::string& text) {
    text.clear();
    const Delivery delivery = Reach(window);
    if (delivery == Delivery::Handled) text = ToUtf8(windows_.at(window).bytes);
    return delivery;
}

Delivery FakeWindowTree::Reach(WindowHandle window) {
    const auto found = windows_.find(window);
    if (found == windows_.end()) return Delivery::Lost;
    if (!found->second.hung) return Delivery::Handled;
    ++timedOut_;
    return Delivery::TimedOut;
}

Delivery FakeWindowTree::Deliver(ReceivedMessage message) {
    const Delivery delivery = Reach(message.window);
    if (delivery != Delivery::Handled) return delivery;
    Window& window = windows_.at(message.window);
    if (message.message == Message::SetText) window.bytes = message.bytes;
    received_.push_back(message);
    // A reaction may add or remove windows, so work from copies.
    for (const Reaction& react : std::vector(window.reactions)) react(message);
    return delivery;
}

}  // namespace quillow::testing
