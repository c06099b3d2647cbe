#include "tests/support/fake_window_tree.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace quillow::testing {
namespace {

// Bytes 0x80 to 0x9F of Windows-1252 (none for the five it leaves unassigned); from 0xA0 on the
// code page is Latin-1.
constexpr std::string_view kHighBytes[32] = {
    "€", "",  "‚", "ƒ", "„", "…", "†", "‡", "ˆ", "‰", "Š", "‹", "Œ", "", "Ž", "",
    "",  "‘", "’", "“", "”", "•", "–", "—", "˜", "™", "š", "›", "œ", "", "ž", "Ÿ",
};

// A character with no byte in the code page becomes '?', as on Windows.
std::string ToAnsi(std::string_view utf8) {
    std::string bytes;
    while (!utf8.empty()) {
        size_t length = 1;  // the lead byte and its continuation bytes
        while (length < utf8.size() && (utf8[length] & 0xC0) == 0x80) ++length;
        const std::string_view character = utf8.substr(0, length);
        utf8.remove_prefix(length);
        const auto* high = std::find(std::begin(kHighBytes), std::end(kHighBytes), character);
        const int latin1 = length == 2 ? ((character[0] & 0x1F) << 6) | (character[1] & 0x3F) : 0;
        if (length == 1) {
            bytes += character[0];
        } else if (high != std::end(kHighBytes)) {
            bytes += static_cast<char>(0x80 + (high - kHighBytes));
        } else {
            bytes += latin1 >= 0xA0 && latin1 <= 0xFF ? static_cast<char>(latin1) : '?';
        }
    }
    return bytes;
}

// Handles are spaced out and start high: real ones are not small consecutive numbers either.
constexpr WindowHandle kFirstHandle = 0x10010;

WindowHandle HandleOf(size_t index) { return kFirstHandle + static_cast<WindowHandle>(index) * 4; }
size_t IndexOf(WindowHandle window) { return static_cast<size_t>(window - kFirstHandle) / 4; }

}  // namespace

FakeWindowTree::Window* FakeWindowTree::At(WindowHandle window) {
    const bool made = window >= kFirstHandle && IndexOf(window) < windows_.size();
    return made && !windows_[IndexOf(window)].removed ? &windows_[IndexOf(window)] : nullptr;
}

WindowHandle FakeWindowTree::Add(WindowHandle parent, std::string className,
                                 std::string_view title) {
    windows_.push_back({parent, std::move(className), std::string(title), {}, {}});
    return HandleOf(windows_.size() - 1);
}

void FakeWindowTree::Remove(WindowHandle window) {
    if (At(window) == nullptr) return;
    At(window)->removed = true;
    for (size_t i = 0; i < windows_.size(); ++i) {
        if (windows_[i].parent == window && !windows_[i].removed) Remove(HandleOf(i));
    }
}

void FakeWindowTree::OnMessage(WindowHandle window, Reaction reaction) {
    At(window)->reactions.push_back(std::move(reaction));
}

std::string FakeWindowTree::Bytes(WindowHandle window) { return ToAnsi(At(window)->text); }

std::vector<ReceivedMessage> FakeWindowTree::ReceivedBy(WindowHandle window) const {
    std::vector<ReceivedMessage> messages;
    for (const ReceivedMessage& m : received_) {
        if (m.window == window) messages.push_back(m);
    }
    return messages;
}

WindowHandle FakeWindowTree::FindWindowExA(WindowHandle parent, WindowHandle after,
                                           std::string_view className,
                                           std::optional<std::string_view> title) {
    if (parent != 0 && !At(parent)) return 0;
    if (after != 0 && (!At(after) || At(after)->parent != parent)) return 0;
    for (size_t i = after == 0 ? 0 : IndexOf(after) + 1; i < windows_.size(); ++i) {
        const Window& w = windows_[i];
        if (!w.removed && w.parent == parent && w.className == className &&
            (!title || w.title == *title)) {
            return HandleOf(i);
        }
    }
    return 0;
}

Delivery FakeWindowTree::SendMessageA(WindowHandle window, Message message, std::uintptr_t wParam,
                                      std::intptr_t lParam) {
    return Deliver({clock_(), window, message, wParam, lParam, {}}, {});
}

Delivery FakeWindowTree::SendText(WindowHandle window, std::string_view text) {
    return Deliver({clock_(), window, Message::SetText, 0, 0, ToAnsi(text)}, text);
}

Delivery FakeWindowTree::ReadText(WindowHandle window, std::string& text) {
    text.clear();
    const Delivery delivery = Reach(window);
    if (delivery == Delivery::Handled) text = At(window)->text;
    return delivery;
}

Delivery FakeWindowTree::Reach(WindowHandle window) {
    const Window* found = At(window);
    if (found == nullptr) return Delivery::Lost;
    if (!found->hung) return Delivery::Handled;
    ++timedOut_;
    return Delivery::TimedOut;
}

Delivery FakeWindowTree::Deliver(ReceivedMessage message, std::string_view text) {
    const Delivery delivery = Reach(message.window);
    if (delivery != Delivery::Handled) return delivery;
    if (message.message == Message::SetText) At(message.window)->text = text;
    received_.push_back(message);
    // A reaction may add or remove windows: work from a copy.
    for (const Reaction& react : std::vector(At(message.window)->reactions)) react(message);
    return delivery;
}

}  // namespace quillow::testing
