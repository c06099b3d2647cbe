// The "Send Instant Message" document: a recipient box, a message box and a row of icons, the
// tenth of which sends. The others (formatting and the like) are for show.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "standin/document.h"

namespace standin {

class InstantMessageWindow final : public Document {
public:
    static constexpr int kSendIcon = 10;  // counted from 1 in child order

    InstantMessageWindow(ClientEvents& events, std::string role, int iconCount);

    // `recipient` and `draft` are ANSI bytes.
    void Open(HWND area, const RECT& rect, std::string_view recipient, std::string_view draft);

    HWND RecipientBox() const { return recipient_; }
    HWND MessageInput() const { return message_; }

    void Focus() override;

protected:
    void Layout(int width, int height) override;
    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void Paint(HDC dc, const RECT& client) override;

private:
    void Send();

    int iconCount_;
    HWND recipient_ = nullptr;
    HWND message_ = nullptr;
    std::vector<HWND> icons_;
};

}  // namespace standin
