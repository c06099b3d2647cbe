// The chat client's windows built in a FakeWindowTree, behaving as far as the panel relies on:
// a room takes its input box's text as a line on Enter, the fifth toolbar icon opens a new
// instant-message window, and that window's tenth icon sends and closes it.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/fake_window_tree.h"

namespace quillow::testing {

class FakeClient {
public:
    struct Room {
        WindowHandle window, transcript, input, comboBox, icon, label;
    };
    struct InstantMessageWindow {
        WindowHandle window, recipient, message;
        std::vector<WindowHandle> icons;
    };
    struct Line {
        WindowHandle room;
        std::string text;  // UTF-8
    };
    struct Sent {
        std::string recipient, message;
    };

    // The main window with its toolbar and document area.
    explicit FakeClient(FakeWindowTree& tree, int toolbarIcons = 8);

    // A chat room, its children in the client's order.
    Room AddRoom();
    // A document window with children of the given classes, in that order.
    WindowHandle AddDocument(const std::vector<std::string>& childClasses);
    InstantMessageWindow AddInstantMessageWindow(int icons = 10);

    // Whether the toolbar's fifth icon opens a window (a slow client may not in time).
    void SetOpensInstantMessages(bool opens) { opensInstantMessages_ = opens; }

    WindowHandle main() const { return main_; }
    const std::vector<WindowHandle>& toolbarIcons() const { return toolbarIcons_; }
    const std::vector<Line>& lines() const { return lines_; }
    std::vector<std::string> LineTexts() const;
    const std::vector<Sent>& sent() const { return sent_; }
    // Icons pressed (button-down, then Space up), in order.
    const std::vector<WindowHandle>& pressed() const { return pressed_; }

private:
    void MakeIcon(WindowHandle icon, std::function<void()> action);

    FakeWindowTree& tree_;
    WindowHandle main_, area_;
    std::vector<WindowHandle> toolbarIcons_;
    std::vector<Line> lines_;
    std::vector<Sent> sent_;
    std::vector<WindowHandle> pressed_;
    bool opensInstantMessages_ = true;
};

}  // namespace quillow::testing
