#include "standin/status_bar.h"

#include <string>

#include "standin/message_scope.h"
#include "standin/theme.h"
#include "standin/window_class.h"

namespace standin {
namespace {

constexpr char kClassName[] = "QuillowStandInStatus";

struct StatusState {
    bool on = true;
    std::string lastMessage;  // "IM to NAME: TEXT", ANSI
};

StatusState* StateOf(HWND window) {
    return reinterpret_cast<StatusState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void Refresh(HWND window, const StatusState& state) {
    std::string text = state.on ? "IMs on" : "IMs off";
    if (!state.lastMessage.empty()) text += "  |  " + state.lastMessage;
    SetWindowTextA(window, text.c_str());
    InvalidateRect(window, nullptr, FALSE);
}

void OnPaint(HWND window, const StatusState& state) {
    theme::BufferedPaint paint(window);
    HDC dc = paint.Dc();
    const RECT& client = paint.Client();
    theme::FillSolid(dc, client, theme::kStatus);
    theme::FillSolid(dc, RECT{0, 0, client.right, 1}, theme::kToolbarEdge);

    const RECT pill{8, 4, 78, client.bottom - 4};
    const COLORREF colour = state.on ? theme::kOn : theme::kOff;
    theme::FillRounded(dc, pill, 12, colour, theme::Darker(colour, 20));
    theme::DrawLabel(dc, state.on ? "IMs on" : "IMs off", pill, theme::GetFonts().uiBold,
                     RGB(255, 255, 255), DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    const RECT text{90, 0, client.right - 8, client.bottom};
    theme::DrawLabel(
        dc, state.lastMessage.empty() ? "No instant messages sent" : state.lastMessage.c_str(),
        text, theme::GetFonts().ui, state.lastMessage.empty() ? theme::kMuted : theme::kCaption,
        DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

LRESULT CALLBACK StatusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const MessageScope scope(window, message, wParam, lParam);
    StatusState* state = StateOf(window);
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new StatusState));
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            delete state;
            break;
        case WM_PAINT:
            if (state) {
                OnPaint(window, *state);
                return 0;
            }
            break;
        case WM_ERASEBKGND: return 1;
        default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void RegisterStatusBarClass(HINSTANCE instance) {
    RegisterWindowClass(instance, kClassName, StatusProc);
}

HWND CreateStatusBar(HWND frame) {
    const HWND status =
        CreateWindowExA(0, kClassName, "IMs on", WS_CHILD | WS_VISIBLE, 0, 0, 400,
                        theme::kStatusHeight, frame, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetRole(status, "status");
    return status;
}

void ShowIndicator(HWND status, bool on) {
    if (StatusState* state = StateOf(status)) {
        state->on = on;
        Refresh(status, *state);
    }
}

void ShowLastInstantMessage(HWND status, std::string_view recipient, std::string_view text) {
    if (StatusState* state = StateOf(status)) {
        std::string shown(text);
        for (char& c : shown) {
            if (c == '\r' || c == '\n' || c == '\t') c = ' ';
        }
        state->lastMessage = "IM to " + std::string(recipient) + ": " + shown;
        Refresh(status, *state);
    }
}

}  // namespace standin
