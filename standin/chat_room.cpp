#include "standin/chat_room.h"

#include <algorithm>

#include "automation/client_windows.h"
#include "standin/icon_button.h"
#include "standin/private_messages.h"
#include "standin/system_superclasses.h"
#include "standin/transcript_pane.h"
#include "standin/win_text.h"

namespace standin {
namespace {

enum ControlId : int {
    kTranscriptId = 101,
    kInputId,
    kComboBoxId,
    kLabelId,
    kFirstIconId = 110,
};

constexpr IconLook kRoomIcons[] = {
    {"People", "P", RGB(0x2F, 0x7D, 0xC8), IconStyle::Panel},
    {"Profile", "i", RGB(0x7A, 0x4D, 0xB8), IconStyle::Panel},
    {"Prefs", "*", RGB(0xD0, 0x84, 0x1C), IconStyle::Panel},
    {"Send", nullptr, RGB(0x1F, 0x6F, 0xD1), IconStyle::Action},
};
constexpr int kSendIconIndex = 3;

constexpr const char* kPeople[] = {ChatRoom::kScreenName, "Torvik", "Zennoq03"};

constexpr int kMargin = 8;
constexpr int kSide = 150;  // the column at the right
constexpr int kInputHeight = 26;

void Place(HWND window, int x, int y, int width, int height) {
    if (window) MoveWindow(window, x, y, std::max(0, width), std::max(0, height), TRUE);
}

}  // namespace

ChatRoom::ChatRoom(ClientEvents& events, std::string role, RoomParts parts, bool takesLines)
    : Document(events, std::move(role)), parts_(parts), takesLines_(takesLines) {}

void ChatRoom::Open(HWND area, const char* title, const RECT& rect, bool hangInput) {
    CreateFrame(area, title, rect);
    CreateControls(hangInput);
    Show();
}

void ChatRoom::CreateTranscriptPane() {
    if (!parts_.transcript) return;
    transcript_ = CreateTranscript(Window(), kTranscriptId, RECT{}, Role() + ".transcript");
}

// Child order is creation order: transcript, input, drop-down, icons, label (the transcript
// after the input when asked).
void ChatRoom::CreateControls(bool hangInput) {
    using namespace quillow::client;
    if (!parts_.transcriptAfterInput) CreateTranscriptPane();
    input_ = CreateControl(kRichInput.data(), "", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
                           kInputId, RECT{}, "input");
    if (hangInput) MakeBoxHangOnOutsideText(input_);
    if (parts_.transcriptAfterInput) CreateTranscriptPane();

    if (parts_.comboBox) {
        comboBox_ = CreateControl(kComboBox.data(), "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                                  0, kComboBoxId, RECT{0, 0, kSide, 160}, "combo");
        for (const char* person : kPeople) {
            SendMessageA(comboBox_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(person));
        }
        SendMessageA(comboBox_, CB_SETCURSEL, 0, 0);
    }
    if (parts_.icons) {
        for (int i = 0; i < static_cast<int>(std::size(kRoomIcons)); ++i) {
            icons_.push_back(CreateIcon(Window(), kFirstIconId + i, kRoomIcons[i], RECT{},
                                        Role() + ".icon" + std::to_string(i + 1)));
        }
    }
    if (parts_.label) {
        label_ =
            CreateControl(kLabel.data(), "People here: 3", SS_LEFT, 0, kLabelId, RECT{}, "label");
    }
}

void ChatRoom::Layout(int width, int height) {
    const int side = std::min(kSide, std::max(60, width / 3));
    const int sideX = width - kMargin - side;
    const int mainWidth = sideX - 2 * kMargin;
    const int inputY = height - kMargin - kInputHeight;

    Place(transcript_, kMargin, kMargin, mainWidth, inputY - 2 * kMargin);
    Place(input_, kMargin, inputY, mainWidth, kInputHeight);
    Place(label_, sideX, kMargin, side, 18);
    Place(comboBox_, sideX, kMargin + 20, side, 160);

    const int tileWidth = side / 3;
    for (std::size_t i = 0; i < icons_.size(); ++i) {
        if (static_cast<int>(i) == kSendIconIndex) {
            Place(icons_[i], sideX, inputY - 1, side, kInputHeight + 2);
        } else {
            Place(icons_[i], sideX + static_cast<int>(i) * tileWidth, kMargin + 56, tileWidth, 48);
        }
    }
}

void ChatRoom::Focus() { SetFocus(input_ ? input_ : Window()); }

void ChatRoom::TakeLine() {
    const std::string line = WindowTextBytes(input_);
    if (line.empty()) return;  // the client does not send empty lines
    if (transcript_) AppendChatLine(transcript_, kScreenName, line);
    SetWindowTextA(input_, "");
    events_.LineTaken(*this, line);
}

bool ChatRoom::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case kEnterInBox:
            // A decoy swallows Enter too, leaving its text where it is.
            if (takesLines_) TakeLine();
            result = 1;
            return true;
        case WM_COMMAND:
            if (LOWORD(wParam) == kFirstIconId + kSendIconIndex && HIWORD(wParam) == BN_CLICKED &&
                takesLines_) {
                TakeLine();
            }
            result = 0;
            return true;
        case WM_SETFOCUS:
            result = DefMDIChildProcA(Window(), message, wParam, lParam);
            Focus();
            return true;
        default: return false;
    }
}

}  // namespace standin
