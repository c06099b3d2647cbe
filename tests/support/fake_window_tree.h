// An in-memory window tree behind the window operations: windows with a class, a title and a
// text held in Windows-1252 (the ANSI code page of an English Windows), kept in a stable child
// order, and a record of every message that reached one.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "automation/window_ops.h"

namespace quillow::testing {

struct ReceivedMessage {
    double time;  // on the clock given to the tree
    WindowHandle window;
    Message message;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    std::string bytes;  // the text of WM_SETTEXT, in Windows-1252

    bool operator==(const ReceivedMessage&) const = default;
};

struct Lookup {
    WindowHandle parent, after;
    std::string className;
};

class FakeWindowTree final : public WindowOps {
public:
    using Reaction = std::function<void(const ReceivedMessage&)>;

    // Adds a window as the last child of parent (0 for a top-level window). Texts are UTF-8.
    WindowHandle Add(WindowHandle parent, std::string className, std::string_view title = {});
    // Removes a window and everything under it.
    void Remove(WindowHandle window);
    // What the window does once a message has reached it (besides taking a WM_SETTEXT text).
    void OnMessage(WindowHandle window, Reaction reaction);
    // Messages to the window time out from now on, and do not reach it.
    void Hang(WindowHandle window) { windows_.at(window).hung = true; }

    void SetText(WindowHandle window, std::string_view utf8);
    // The window's text as the client holds it, in Windows-1252.
    const std::string& Bytes(WindowHandle window) const { return windows_.at(window).bytes; }

    void SetClock(std::function<double()> clock) { clock_ = std::move(clock); }
    const std::vector<ReceivedMessage>& Received() const { return received_; }
    std::vector<ReceivedMessage> ReceivedBy(WindowHandle window) const;
    // Every FindWindowA / FindWindowExA made, in order (FindWindowA as parent 0).
    const std::vector<Lookup>& Lookups() const { return lookups_; }
    // Messages, reads included, that timed out at a hung window.
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
        std::string className, title, bytes;
        std::vector<WindowHandle> children;
        std::vector<Reaction> reactions;
        bool hung = false;
    };

    // Whether a message to the window would be handled, lost or time out.
    Delivery Reach(WindowHandle window);
    Delivery Deliver(ReceivedMessage message);

    std::map<WindowHandle, Window> windows_;
    std::vector<WindowHandle> topLevel_;
    std::vector<ReceivedMessage> received_;
    std::vector<Lookup> lookups_;
    std::function<double()> clock_ = [] { return 0.0; };
    WindowHandle next_ = 0x10010;
    int timedOut_ = 0;
};

}  // namespace quillow::testing
