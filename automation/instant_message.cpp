#include "automation/instant_message.h"

#include <algorithm>
#include <vector>

#include "automation/client_windows.h"
#include "automation/hung_client_guard.h"
#include "automation/pause.h"

namespace quillow {
namespace {

// The icon at `position` (from 1) among parent's icons, or 0 when there are fewer: pressing
// some other button of the client is worse than pressing none.
WindowHandle NthIcon(WindowOps& ops, WindowHandle parent, int position) {
    WindowHandle icon = ops.FindWindowExA(parent, 0, client::kIcon);
    for (int step = 1; step < position && icon != 0; ++step) {
        icon = ops.FindWindowExA(parent, icon, client::kIcon);
    }
    return icon;
}

std::vector<WindowHandle> InstantMessageWindows(WindowOps& ops, WindowHandle area) {
    std::vector<WindowHandle> windows;
    for (WindowHandle window =
             ops.FindWindowExA(area, 0, client::kDocument, client::kInstantMessageTitle);
         window != 0; window = ops.FindWindowExA(area, window, client::kDocument,
                                                 client::kInstantMessageTitle)) {
        windows.push_back(window);
    }
    return windows;
}

}  // namespace

void ClickIcon(WindowOps& ops, WindowHandle icon) {
    ops.SendMessageA(icon, Message::LButtonDown, 0, 0);
    ops.SendMessageA(icon, Message::KeyUp, kVkSpace, 0);
}

void SendInstantMessage(WindowOps& ops, EventLoop& loop, std::string_view recipient,
                        std::string_view message) {
    HungClientGuard guard(ops);
    const WindowHandle main = guard.FindWindowA(client::kMainWindow);
    const WindowHandle host = guard.FindWindowExA(main, 0, client::kToolbarHost);
    const WindowHandle toolbar = guard.FindWindowExA(host, 0, client::kToolbar);
    const WindowHandle newMessage = NthIcon(guard, toolbar, client::kNewInstantMessageIcon);

    // Windows the user already has open may hold an unsent message of theirs.
    const std::vector<WindowHandle> openBefore =
        InstantMessageWindows(guard, guard.FindWindowExA(main, 0, client::kDocumentArea));

    ClickIcon(guard, newMessage);
    Pause(loop, 1);  // time for the client to open the window

    const std::vector<WindowHandle> openNow =
        InstantMessageWindows(guard, guard.FindWindowExA(main, 0, client::kDocumentArea));
    const auto opened = std::find_if(openNow.begin(), openNow.end(), [&](WindowHandle window) {
        return std::find(openBefore.begin(), openBefore.end(), window) == openBefore.end();
    });
    if (opened == openNow.end()) return;
    const WindowHandle window = *opened;

    guard.SendText(guard.FindWindowExA(window, 0, client::kEdit), recipient);
    guard.SendText(guard.FindWindowExA(window, 0, client::kRichInput), message);
    ClickIcon(guard, NthIcon(guard, window, client::kSendIcon));
}

}  // namespace quillow
