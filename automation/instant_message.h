// Sending an instant message through the client's own instant-message window.
#pragma once

#include <string_view>

#include "automation/event_loop.h"
#include "automation/window_ops.h"

namespace quillow {

// Presses one of the client's icon buttons: a button-down, then Space released. The client's
// icons act on this pair; no button-up is sent.
void ClickIcon(WindowOps& ops, WindowHandle icon);

// Opens a new instant-message window from the client's toolbar, waits a second for it
// (handling the panel's events meanwhile), fills in recipient and message and presses Send.
// A window that was already open before the call is never touched; if no new one appears, or
// the client lacks the toolbar or Send icon, nothing is typed or pressed.
void SendInstantMessage(WindowOps& ops, EventLoop& loop, std::string_view recipient,
                        std::string_view message);

}  // namespace quillow
