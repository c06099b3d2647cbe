#include "standin/instant_message_window.h"

#include <algorithm>

#include "automation/client_windows.h"
#include "standin/icon_button.h"
#include "standin/private_messages.h"
#include "standin/theme.h"
#include "standin/win_text.h"

namespace standin {
namespace {

enum ControlId : int {
    kRecipientId = 201,
    kMessageId,
    kFirstIconId = 210,
};

// The icons in child order; the tenth sends.
constexpr IconLook kIcons[] = {
    {"Bold", "B", RGB(0x1E, 0x2A, 0x3C), IconStyle::Format},
    {"Italic", "I", RGB(0x1E, 0x2A, 0x3C), IconStyle::Format},
    {"Underline", "U", RGB(0x1E, 0x2A, 0x3C), IconStyle::Format},
    {"Text Colour", "A", RGB(0xC8, 0x28, 0x28), IconStyle::Format},
    {"Background", "A", RGB(0x1F, 0x8A, 0x4C), IconStyle::Format},
    {"Smaller", "a", RGB(0x1E, 0x2A, 0x3C), IconStyle::Format},
    {"Larger", "A", RGB(0x1E, 0x2A, 0x3C), IconStyle::Format},
    {"Link", "@", RGB(0x14, 0x4E, 0xA8), IconStyle::Format},
    {"Smiley", ":)", RGB(0xC7, 0x8A, 0x00), IconStyle::Format},
    {"Send", nullptr, RGB(0x1F, 0x6F, 0xD1), IconStyle::Action},
    {"Available?", nullptr, RGB(0x6B, 0x7A, 0x90), IconStyle::Action},
    {"Profile", nullptr, RGB(0x6B, 0x7A, 0x90), IconStyle::Action},
};
constexpr IconLook kExtraIcon = {"More", "+", RGB(0x1E, 0x2A, 0x3C), IconStyle::Format};

const IconLook& LookOf(int index) {  // from 0
    return index < static_cast<int>(std::size(kIcons)) ? kIcons[index] : kExtraIcon;
}

constexpr int kMargin = 10;
constexpr int kLabelWidth = 28;
constexpr int kBoxHeight = 24;
constexpr int kFormatSize = 26;
constexpr int kActionHeight = 28;

void Place(HWND window, int x, int y, int width, int height) {
    if (window) MoveWindow(window, x, y, std::max(0, width), std::max(0, height), TRUE);
}

}  // namespace

InstantMessageWindow::InstantMessageWindow(ClientEvents& events, std::string role, int iconCount)
    : Document(events, std::move(role)), iconCount_(iconCount) {}

// Child order: recipient box, message box, then the icons.
void InstantMessageWindow::Open(HWND area, const RECT& rect, std::string_view recipient,
                                std::string_view draft) {
    using namespace quillow::client;
    CreateFrame(area, kInstantMessageTitle.data(), rect);
    recipient_ =
        CreateControl(kEdit.data(), std::string(recipient).c_str(), ES_AUTOHSCROLL | WS_TABSTOP,
                      WS_EX_CLIENTEDGE, kRecipientId, RECT{}, "recipient");
    message_ = CreateControl(kRichInput.data(), std::string(draft).c_str(),
                             ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                             WS_EX_CLIENTEDGE, kMessageId, RECT{}, "message");
    for (int i = 0; i < iconCount_; ++i) {
        icons_.push_back(CreateIcon(Window(), kFirstIconId + i, LookOf(i), RECT{},
                                    Role() + ".icon" + std::to_string(i + 1)));
    }
    Show();
}

// Formatting icons in a row above the message box; Send and the two after it at the bottom
// right, Send rightmost.
void InstantMessageWindow::Layout(int width, int height) {
    const int boxX = kMargin + kLabelWidth;
    Place(recipient_, boxX, kMargin, width - boxX - kMargin, kBoxHeight);

    const int formatY = kMargin + kBoxHeight + 8;
    const int actionY = height - kMargin - kActionHeight;
    const int messageY = formatY + kFormatSize + 6;
    Place(message_, kMargin, messageY, width - 2 * kMargin, actionY - 8 - messageY);

    int formatX = kMargin;
    int actionRight = width - kMargin;
    for (int i = 0; i < static_cast<int>(icons_.size()); ++i) {
        const int number = i + 1;
        if (number >= kSendIcon && number <= kSendIcon + 2) {
            const int actionWidth = number == kSendIcon ? 84 : 96;
            Place(icons_[i], actionRight - actionWidth, actionY, actionWidth, kActionHeight);
            actionRight -= actionWidth + 8;
        } else {
            Place(icons_[i], formatX, formatY, kFormatSize, kFormatSize);
            formatX += kFormatSize + 4;
        }
    }
}

void InstantMessageWindow::Paint(HDC dc, const RECT& client) {
    Document::Paint(dc, client);
    const RECT label{kMargin, kMargin, kMargin + kLabelWidth, kMargin + kBoxHeight};
    theme::DrawLabel(dc, "To:", label, theme::GetFonts().uiBold, theme::kCaption,
                     DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

// The recipient first, unless it is filled in already.
void InstantMessageWindow::Focus() {
    if (recipient_ == nullptr) return;
    SetFocus(GetWindowTextLengthA(recipient_) > 0 ? message_ : recipient_);
}

void InstantMessageWindow::Send() {
    const std::string recipient = WindowTextBytes(recipient_);
    if (recipient.empty()) {
        MessageBeep(MB_ICONWARNING);
        SetFocus(recipient_);
        return;
    }
    events_.InstantMessageSent(*this, recipient, WindowTextBytes(message_));
}

bool InstantMessageWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case kEnterInBox:
            // Enter in the recipient box moves on to the message; in the message it is a
            // line break.
            if (reinterpret_cast<HWND>(lParam) != recipient_) return false;
            SetFocus(message_);
            result = 1;
            return true;
        case WM_COMMAND:
            if (LOWORD(wParam) == kFirstIconId + kSendIcon - 1 && HIWORD(wParam) == BN_CLICKED) {
                Send();
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
