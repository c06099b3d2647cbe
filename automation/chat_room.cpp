#include "automation/chat_room.h"

#include <string>

#include "automation/client_windows.h"
#include "automation/hung_client_guard.h"

namespace quillow {

WindowHandle FindChatRoom(WindowOps& ops) {
    const WindowHandle main = ops.FindWindowA(client::kMainWindow);
    const WindowHandle area = ops.FindWindowExA(main, 0, client::kDocumentArea);
    for (WindowHandle candidate = ops.FindWindowExA(area, 0, client::kDocument); candidate != 0;
         candidate = ops.FindWindowExA(area, candidate, client::kDocument)) {
        // All four are looked up before any is tested.
        const WindowHandle transcript = ops.FindWindowExA(candidate, 0, client::kTranscript);
        const WindowHandle comboBox = ops.FindWindowExA(candidate, 0, client::kComboBox);
        const WindowHandle icon = ops.FindWindowExA(candidate, 0, client::kIcon);
        const WindowHandle label = ops.FindWindowExA(candidate, 0, client::kLabel);
        if (transcript != 0 && comboBox != 0 && icon != 0 && label != 0) return candidate;
    }
    return 0;
}

void ClearChat(WindowOps& ops) {
    // With no room the pane is looked up under parent 0, among the top-level windows, where
    // the client has none of its class; the message then goes to no window.
    const WindowHandle pane = ops.FindWindowExA(FindChatRoom(ops), 0, client::kTranscript);
    ops.SendText(pane, "");
}

void ChatSend(WindowOps& ops, std::string_view text) {
    HungClientGuard guard(ops);
    const WindowHandle input = guard.FindWindowExA(FindChatRoom(guard), 0, client::kRichInput);

    std::string draft;
    guard.ReadText(input, draft);
    guard.SendText(input, text);
    guard.SendMessageA(input, Message::Char, kCarriageReturn, 0);
    if (draft.empty()) return;

    // Put the user's unsent text back only when the box is empty, that is once the client has
    // taken the line; a box that still holds the line is left alone, so Enter can never send
    // the draft in its place.
    std::string after;
    if (guard.ReadText(input, after) == Delivery::Handled && after.empty()) {
        guard.SendText(input, draft);
    }
}

}  // namespace quillow
