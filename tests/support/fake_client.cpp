#include "tests/support/fake_client.h"

namespace quillow::testing {

FakeClient::FakeClient(FakeWindowTree& tree, int toolbarIconCount, int instantMessageIcons)
    : tree_(tree), instantMessageIcons_(instantMessageIcons) {
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

FakeClient::Room FakeClient::AddRoom() {
    const WindowHandle window = tree_.Add(area_, "AOL Child", "Lobby");
    const Room room{window, tree_.Add(window, "RICHCNTLREADONLY"), tree_.Add(window, "RICHCNTL")};
    for (const char* control : {"_AOL_Combobox", "_AOL_Icon", "_AOL_Static"}) {
        tree_.Add(window, control);
    }
    tree_.OnMessage(room.input, [this, room](const ReceivedMessage& m) {
        if (m.message != Message::Char || m.wParam != 13) return;
        lines.emplace_back(m.time, tree_.Bytes(room.input));
        tree_.SetText(room.input, "");
    });
    return room;
}

WindowHandle FakeClient::AddDocument(const std::vector<std::string>& childClasses) {
    const WindowHandle document = tree_.Add(area_, "AOL Child", "Document");
    for (const std::string& className : childClasses) tree_.Add(document, className);
    return document;
}

FakeClient::InstantMessageWindow FakeClient::OpenInstantMessage() {
    const WindowHandle window = tree_.Add(area_, "AOL Child", "Send Instant Message");
    InstantMessageWindow im{window, tree_.Add(window, "_AOL_Edit"), tree_.Add(window, "RICHCNTL"),
                            0};
    for (int i = 1; i <= instantMessageIcons_; ++i) {
        const WindowHandle icon = tree_.Add(window, "_AOL_Icon");
        if (i == 10) im.send = icon;
    }
    if (im.send != 0) {
        OnPress(im.send, [this, im](double time) {
            sent.push_back({time, tree_.Bytes(im.recipient), tree_.Bytes(im.message)});
            tree_.Remove(im.window);
        });
    }
    opened.push_back(im);
    return im;
}

void FakeClient::OnPress(WindowHandle icon, std::function<void(double time)> action) {
    tree_.OnMessage(icon, [this, icon, action](const ReceivedMessage& m) {
        const std::vector<ReceivedMessage> received = tree_.ReceivedBy(icon);
        if (m.message == Message::KeyUp && m.wParam == 0x20 && received.size() >= 2 &&
            received[received.size() - 2].message == Message::LButtonDown) {
            action(m.time);
        }
    });
}

}  // namespace quillow::testing
