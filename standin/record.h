// Bookkeeping around every message that reaches one of the client's windows: the role each
// window plays, the record file of what came from outside and what the client did, and actions
// put off until the client's own handling of a message has unwound.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace standin {

// `path` is UTF-8 (under Wine, started from a Unix folder, "/tmp/x.tsv" names a file on the
// current drive Z:, that is the Unix path). Returns false with the reason in `error` when the
// file cannot be created. Without an open record nothing is written.
bool OpenRecord(std::string_view path, std::string& error);
void RecordEvent(std::string_view what, std::string_view where, std::string_view bytes = {});

// A stable name for a window in the record ("room1.input", "toolbar.icon5", "main"), forgotten
// when the window is destroyed.
void SetRole(HWND window, std::string role);
std::string RoleOf(HWND window);

// Opened first thing in each of the client's window procedures. A message is from outside when
// another thread sent it and no handler of the client is already running beneath it (messages
// the client's handlers send its own windows are reported as part of the outer sent message).
// Those are recorded.
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
void RunDeferred();

// Text between the record (UTF-8), the windows (the ANSI code page) and the system (UTF-16).
std::wstring Widen(std::string_view text, UINT codePage);
std::string Narrow(std::wstring_view text, UINT codePage);

}  // namespace standin
