// An in-memory window tree behind the window operations: windows with a class, a title and a
// text, children in the order they were made, and a record of every message that reached one.
// Texts handed over are recorded in Windows-1252, the ANSI code page of an English Windows.
#pragma once

#include <functional>
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
    void Hang(WindowHandle window) { At(window)->hung = true; }

    void SetText(WindowHandle window, std::string_view text) { At(window)->text = text; }
    // The window's text in Windows-1252.
    std::string Bytes(WindowHandle window);

    void SetClock(std::function<double()> clock) { clock_ = std::move(clock); }
    const std::vector<ReceivedMessage>& Received() const { return received_; }
    std::vector<ReceivedMessage> ReceivedBy(WindowHandle window) const;
    // Messages, reads included, that timed out at a hung window.
    int TimedOut() const { return timedOut_; }

    using WindowOps::FindWindowExA;
    WindowHandle FindWindowA(std::string_view className) override {
        return FindWindowExA(0, 0, className);
    }
    WindowHandle FindWindowExA(WindowHandle parent, WindowHandle after, std::string_view className,
                               std::optional<std::string_view> title) override;
    Delivery SendMessageA(WindowHandle window, Message message, std::uintptr_t wParam,
                          std::intptr_t lParam) override;
    Delivery SendText(WindowHandle window, std::string_view text) override;
    Delivery ReadText(WindowHandle window, std::string& text) override;

private:
    struct Window {
        WindowHandle parent;
        std::string className, title, text;
        std::vector<Reaction> reactions;
        bool hung = false, removed = false;
    };

    // The window, or null for 0, a removed window or a handle never given out.
    Window* At(WindowHandle window);
    // Whether a message to the window would be handled, lost or time out.
    Delivery Reach(WindowHandle window);
    // `text`: the UTF-8 text of a WM_SETTEXT.
    Delivery Deliver(ReceivedMessage message, std::string_view text);

    std::vector<Window> windows_;  // in the order they were made
    std::vector<ReceivedMessage> received_;
    std::function<double()> clock_ = [] { return 0.0; };
    int timedOut_ = 0;
};

}  // namespace quillow::testing
