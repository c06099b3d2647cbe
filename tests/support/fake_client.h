// The chat client as far as the panel relies on it, built in a FakeWindowTree and spelt out here
// as the client has it (not taken from the program's own names, so that a typo there shows): a
// room takes its input box's text as a line on Enter; the fifth icon of the toolbar opens a new
// "Send Instant Message" window, whose tenth icon sends what it holds and closes it. An icon
// acts on a button-down followed by a Space released.
#pragma once

#include <functional>
#include <string>
#include <string_view>
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
    explicit FakeClient(FakeWindowTree& tree, int toolbarIconCount = 8, int imIcons = 10)
        : tree_(tree), imIcons_(imIcons) {
        const WindowHandle main = tree_.Add(0, "AOL Frame25", "Chat client");
        const WindowHandle toolbar = tree_.Add(tree_.Add(main, "AOL Toolbar"), "_AOL_Toolbar");
        for (int i = 1; i <= toolbarIconCount; ++i) {
            toolbarIcons.push_back(tree_.Add(toolbar, "_AOL_Icon"));
        }
        if (toolbarIconCount >= 5) {
            OnPress(toolbarIcons[4], [this](double) {
                if (opensInstantMessages) OpenInstantMessage();
            });
        }
        area_ = tree_.Add(main, "MDIClient");
    }

    // A chat room's children in the client's order: the transcript, the input box, a
    // drop-down, an icon and a label.
    static inline const std::vector<std::string> kRoomChildren = {
        "RICHCNTLREADONLY", "RICHCNTL", "_AOL_Combobox", "_AOL_Icon", "_AOL_Static"};

    // A chat room. The lines of every room go to `lines`.
    Room AddRoom() {
        const WindowHandle window = AddDocument(kRoomChildren, "Lobby");
        const Room room{window, tree_.FindWindowExA(window, 0, "RICHCNTLREADONLY"),
                        tree_.FindWindowExA(window, 0, "RICHCNTL")};
        tree_.OnMessage(room.input, [this, room](const ReceivedMessage& m) {
            if (m.message != Message::Char || m.wParam != 13) return;
            lines.emplace_back(m.time, tree_.Bytes(room.input));
            tree_.SetText(room.input, "");
        });
        return room;
    }

    // A document window with children of the given classes, in that order.
    WindowHandle AddDocument(const std::vector<std::string>& childClasses,
                             std::string_view title = "Document") {
        const WindowHandle document = tree_.Add(area_, "AOL Child", title);
        for (const std::string& className : childClasses) tree_.Add(document, className);
        return document;
    }

    // What the toolbar's fifth icon does, unless opensInstantMessages is false.
    InstantMessageWindow OpenInstantMessage() {
        const WindowHandle window = tree_.Add(area_, "AOL Child", "Send Instant Message");
        InstantMessageWindow im{window, tree_.Add(window, "_AOL_Edit"),
                                tree_.Add(window, "RICHCNTL"), 0};
        for (int i = 1; i <= imIcons_; ++i) {
            const WindowHandle icon = tree_.Add(window, "_AOL_Icon");
            if (i == 10) im.send = icon;
        }
        if (im.send != 0) {
            OnPress(im.send, [this, im](double time) {
                sent.emplace_back(time, tree_.Bytes(im.recipient), tree_.Bytes(im.message));
                tree_.Remove(im.window);
            });
        }
        opened.push_back(im);
        return im;
    }

    bool opensInstantMessages = true;
    std::vector<WindowHandle> toolbarIcons;
    std::vector<Line> lines;
    std::vector<Sent> sent;
    std::vector<InstantMessageWindow> opened;

private:
    // Runs `action` once the icon has been pressed, with the time of the press.
    void OnPress(WindowHandle icon, std::function<void(double time)> action) {
        tree_.OnMessage(icon, [this, icon, action](const ReceivedMessage& m) {
            const std::vector<ReceivedMessage> received = tree_.ReceivedBy(icon);
            if (m.message == Message::KeyUp && m.wParam == 0x20 && received.size() >= 2 &&
                received[received.size() - 2].message == Message::LButtonDown) {
                action(m.time);
            }
        });
    }

    FakeWindowTree& tree_;
    WindowHandle area_;
    int imIcons_;
};

}  // namespace quillow::testing
