// Bookkeeping around every message that reaches one of the client's windows: which role each
// window plays, recording the messages that come from another thread, and actions deferred
// until the client's own handling of a message has unwound.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include <windows.h>

namespace standin {

// A stable name for a window in the record ("room1.input", "toolbar.icon5", "main"). Forgotten
// when the window is destroyed.
void SetRole(HWND window, std::string role);
std::string RoleOf(HWND window);

// Opened first thing in each of the client's window procedures. A message is from outside when
// another thread sent it and no handler of the client is already running beneath it: messages
// that the client's own handlers send to its windows (which the system reports as part of the
// outer sent message) are not.
class MessageScope {
public:
    MessageScope(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    ~MessageScope();

    MessageScope(const MessageScope&) = delete;
    MessageScope& operator=(const MessageScope&) = delete;

    bool FromOutside() const { return fromOutside_; }

private:
    HWND window_;
    UINT message_;
    bool fromOutside_;
};

// Runs `action` once the handling in progress has unwound: before a message from outside is
// answered, or after the message loop's current dispatch. For work that destroys windows whose
// handlers are still on the stack.
void Defer(std::function<void()> action);

// Runs what was deferred. Called by the message loop after each dispatch.
void RunDeferred();

}  // namespace standin
