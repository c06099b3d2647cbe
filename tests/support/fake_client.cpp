#include "tests/support/fake_client.h"

#include <memory>

#include "automation/client_windows.h"

namespace quillow::testing {

FakeClient::FakeClient(FakeWindowTree& tree, int toolbarIcons) : tree_(tree) {
    main_ = tree_.Add(0, std::string(client::kMainWindow), "Chat client");
    const WindowHandle host = tree_.Add(main_, std::string(client::kToolbarHost));
    const WindowHandle toolbar = tree_.Add(host, std::string(client::kToolbar));
    for (int i = 1; i <= toolbarIcons; ++i) {
        const WindowHandle icon = tree_.Add(toolbar, std::string(client::kIcon));
        toolbarIcons_.push_back(icon);
        if (i == client::kNewInstantMessageIcon) {
            MakeIcon(icon, [this] {
                if (opensInstantMessages_) AddInstantMessageWindow();
            });
        } else {
            MakeIcon(icon, [] {});
        }
    }
    area_ = tree_.Add(main_, std::string(client::kDocumentArea));
}

FakeClient::Room FakeClient::AddRoom() {
    Room room{};
    room.window = tree_.Add(area_, std::string(client::kDocument), "Lobby");
    room.transcript = tree_.Add(room.window, std::string(client::kTranscript));
    room.input = tree_.Add(room.window, std::string(client::kRichInput));
    room.comboBox = tree_.Add(room.window, std::string(client::kComboBox));
    room.icon = tree_.Add(room.window, std::string(client::kIcon));
    room.label = tree_.Add(room.window, std::string(client::kLabel));
    tree_.OnMessage(room.input, [this, room](const ReceivedMessage& m) {
        if (m.message != Message::Char || m.wParam != kCarriageReturn) return;
        lines_.push_back({room.window, tree_.TextUtf8(room.input)});
        tree_.SetTextUtf8(room.input, "");
    });
    return room;
}

WindowHandle FakeClient::AddDocument(const std::vector<std::string>& childClasses) {
    const WindowHandle document = tree_.Add(area_, std::string(client::kDocument), "Document");
    for (const std::string& className : childClasses) tree_.Add(document, className);
    return document;
}

FakeClient::InstantMessageWindow FakeClient::AddInstantMessageWindow(int icons) {
    InstantMessageWindow im{};
    im.window =
        tree_.Add(area_, std::string(client::kDocument), std::string(client::kInstantMessageTitle));
    im.recipient = tree_.Add(im.window, std::string(client::kEdit));
    im.message = tree_.Add(im.window, std::string(client::kRichInput));
    for (int i = 1; i <= icons; ++i) {
        const WindowHandle icon = tree_.Add(im.window, std::string(client::kIcon));
        im.icons.push_back(icon);
        if (i == client::kSendIcon) {
            MakeIcon(icon, [this, im] {
                sent_.push_back({tree_.TextUtf8(im.recipient), tree_.TextUtf8(im.message)});
                tree_.Remove(im.window);
            });
        } else {
            MakeIcon(icon, [] {});
        }
    }
    return im;
}

std::vector<std::string> FakeClient::LineTexts() const {
    std::vector<std::string> texts;
    for (const Line& line : lines_) texts.push_back(line.text);
    return texts;
}

void FakeClient::MakeIcon(WindowHandle icon, std::function<void()> action) {
    auto down = std::make_shared<bool>(false);
    tree_.OnMessage(icon, [this, icon, down, action](const ReceivedMessage& m) {
        if (m.message == Message::LButtonDown) *down = true;
        if (m.message == Message::KeyUp && m.wParam == kVkSpace && *down) {
            *down = false;
            pressed_.push_back(icon);
            action();
        }
    });
}

}  // namespace quillow::testing
