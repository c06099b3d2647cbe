// An in-memory window tree standing in for the chat client: windows with a class, a title
// and a text, kept in a stable child order, and a record of every message that reached one.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "automation/window_ops.h"

namespace quillow::testing {

struct ReceivedMessage {
    double time;  // on the clock given to the tree
    WindowHandle window;
    Message message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    std::string bytes;  // the text of WM_SETTEXT, in Windows-1252

    bool operator==(const ReceivedMessage&) const = default;
};

struct Lookup {
    WindowHandle parent, after;
    std::string className;

    bool operator==(const Lookup&) const = default;
};

class FakeWindowTree final : public WindowOps {
public:
    using Reaction = std::function<void(const ReceivedMessage&)>;

    // Adds a window as the last child of parent (0 for a top-level window).
    WindowHandle Add(WindowHandle parent, std::string className, std::string title = {});
    // Removes a window and everything under it.
    void Remove(WindowHandle window);

    // What the window does after a message has reached it (besides taking a WM_SETTEXT text).
    void OnMessage(WindowHandle window, Reaction reaction);
    // A window that stops answering: messages to it time out and are not received.
    void Hang(WindowHandle window) { windows_.at(window).hung = true; }

    void SetTextUtf8(WindowHandle window, std::string_view text);
    std::string TextUtf8(WindowHandle window) const;

    // Timestamps for received messages.
    void SetClock(std::function<double()> clock) { clock_ = std::move(clock); }

    const std::vector<ReceivedMessage>& Received() const { return received_; }
    std::vector<ReceivedMessage> ReceivedBy(WindowHandle window) const;
    // Every FindWindowA / FindWindowExA made, in order (FindWindowA as parent 0).
    const std::vector<Lookup>& Lookups() const { return lookups_; }
    // Messages that timed out at a hung window, reads included.
    int TimedOut() const { return timedOut_; }

    using WindowOps::FindWindowExA;
    WindowHandle FindWindowA(std::string_view className) override;
    WindowHandle FindWindowExA(WindowHandle parent, WindowHandle after, std::string_view className,
                               std::optional<std::string_view> title) override;
    Delivery SendMessageA(WindowHandle window, Message message, std::uintptr_t wParam,
                          std::intptr_t lParam) override;
    Delivery SendText(WindowHandle window, std::string_view text) override;
    Delivery ReadText(WindowHandle window, std::string& text) override;

private:
    struct Window {
        WindowHandle parent;
        std::string className;
        std::string title;
        std::string bytes;
        std::vector<WindowHandle> children;
        std::vector<Reaction> reactions;
        bool hung = false;
    };

    Delivery Deliver(ReceivedMessage message);

    std::map<WindowHandle, Window> windows_;
    std::vector<WindowHandle> topLevel_;
    std::vector<ReceivedMessage> received_;
    std::function<double()> clock_ = [] { return 0.0; };
    WindowHandle next_ = 0x10010;
    std::vector<Lookup> lookups_;
    int timedOut_ = 0;
};

}  // namespace quillow::testing
