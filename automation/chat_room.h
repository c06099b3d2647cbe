// Finding the open chat room and typing lines into it.
#pragma once

#include <string_view>

#include "automation/window_ops.h"

namespace quillow {

// The first document window of the client, in child order, that carries a chat room's
// controls: a transcript pane, a drop-down, an icon and a label. 0 when there is none or
// the client is not running.
WindowHandle FindChatRoom(WindowOps& ops);

// Empties the transcript pane of the room that receives the lines (its first one), leaving
// the input box and what the user typed there alone. Posts nothing.
void ClearChat(WindowOps& ops);

// Types one line into the chat room's input box and presses Enter. Whatever the user had
// typed there, unsent, is put back once the client has taken the line. With no room the
// line is lost without notice.
void ChatSend(WindowOps& ops, std::string_view text);

}  // namespace quillow
