// The chat client as far as the panel relies on it, built in a FakeWindowTree and spelt out here
// as the client has it (not taken from the program's own names, so that a typo there shows): a
// room takes its input box's text as a line on Enter; the fifth icon of the toolbar opens a new
// "Send Instant Message" window, whose tenth icon sends what it holds and closes it. An icon
// acts on a button-down followed by a Space released.
#pragma once

#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/support/fake_window_tree.h"

namespace quillow::testing {

class FakeClient {
public:
    struct Room {
        WindowHandle window, transcript, input;
    };
    struct InstantMessageWindow {
        WindowHandle window, recipient, message, send;  // send: 0 with fewer than ten icons
    };
    // Texts as the client received them, in Windows-1252, and when.
    using Line = std::pair<double, std::string>;                // time, text
    using Sent = std::tuple<double, std::string, std::string>;  // time, recipient, message

    // The main window with its toolbar and document area, and no document.
    FakeClient(FakeWindowTree& tree, int toolbarIconCount = 8, int instantMessageIcons = 10);

    // A chat room: the transcript, the input box, a drop-down, an icon and a label. Every room's
    // lines go to `lines`.
    Room AddRoom();
    // A document window with children of the given classes, in that order.
    WindowHandle AddDocument(const std::vector<std::string>& childClasses);
    // What the toolbar's fifth icon does, unless opensInstantMessages is false.
    InstantMessageWindow OpenInstantMessage();

    bool opensInstantMessages = true;
    std::vector<WindowHandle> toolbarIcons;
    std::vector<Line> lines;
    std::vector<Sent> sent;
    std::vector<InstantMessageWindow> opened;

private:
    // Runs `action` when the icon has been pressed, with the time of the press.
    void OnPress(WindowHandle icon, std::function<void(double time)> action);

    FakeWindowTree& tree_;
    WindowHandle area_;
    int instantMessageIcons_;
};

}  // namespace quillow::testing
