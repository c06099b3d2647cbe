#include "standin/icon_button.h"

#include <memory>

#include "automation/client_windows.h"
#include "standin/message_scope.h"
#include "standin/theme.h"
#include "standin/window_class.h"

namespace standin {
namespace {

struct IconState {
    std::string glyph;
    COLORREF colour;
    IconStyle style;
    bool pressed = false;    // shown pushed in
    bool mouseDown = false;  // a real mouse press in progress (we hold the capture)
};

IconState* StateOf(HWND window) {
    return reinterpret_cast<IconState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void SetPressed(HWND window, IconState& state, bool pressed) {
    if (state.pressed == pressed) return;
    state.pressed = pressed;
    InvalidateRect(window, nullptr, FALSE);
}

// Tells the parent. The parent may destroy this icon in reply, so nothing of it is touched
// afterwards.
void Click(HWND window) {
    SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
                 reinterpret_cast<LPARAM>(window));
}

void PaintBackground(HWND window, HDC dc, const RECT& client, IconStyle style) {
    if (style != IconStyle::Toolbar) {
        theme::FillSolid(dc, client, theme::kDocument);
        return;
    }
    // Continue the toolbar's gradient behind the icon.
    RECT parent{};
    GetClientRect(GetParent(window), &parent);
    POINT origin{0, 0};
    MapWindowPoints(window, GetParent(window), &origin, 1);
    theme::FillGradient(dc, client, theme::kToolbarTop, theme::kToolbarBottom, -origin.y,
                        parent.bottom);
}

void PaintTile(HDC dc, const RECT& client, const IconState& state, const char* caption) {
    const int size = 28;
    const int shift = state.pressed ? 1 : 0;
    const int left = (client.right - size) / 2 + shift;
    const int top = 3 + shift;
    if (state.pressed) {
        const RECT well{1, 1, client.right - 1, client.bottom - 1};
        theme::FillRounded(dc, well, 8, RGB(0xC6, 0xD4, 0xE8), RGB(0x9D, 0xB1, 0xCE));
    }
    const COLORREF fill = state.pressed ? theme::Darker(state.colour, 18) : state.colour;
    const RECT shadow{left + 1, top + 2, left + size + 1, top + size + 2};
    theme::FillRounded(dc, shadow, 9, RGB(0xA9, 0xB5, 0xC6), RGB(0xA9, 0xB5, 0xC6));
    const RECT tile{left, top, left + size, top + size};
    theme::FillRounded(dc, tile, 9, fill, theme::Darker(fill, 25));
    theme::DrawLabel(dc, state.glyph.c_str(), tile, theme::GetFonts().glyph, RGB(255, 255, 255),
                     DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const RECT text{0, top + size + 2, client.right, client.bottom};
    theme::DrawLabel(dc, caption, text, theme::GetFonts().caption, theme::kCaption,
                     DT_CENTER | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void PaintFormat(HDC dc, const RECT& client, const IconState& state) {
    const COLORREF fill = state.pressed ? RGB(0xCF, 0xDD, 0xF2) : RGB(0xFF, 0xFF, 0xFF);
    theme::FillRounded(dc, client, 5, fill, RGB(0xA4, 0xB0, 0xC2));
    theme::DrawLabel(dc, state.glyph.c_str(), client, theme::GetFonts().uiBold, state.colour,
                     DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void PaintAction(HDC dc, const RECT& client, const IconState& state, const char* caption) {
    const COLORREF fill = state.pressed ? theme::Darker(state.colour, 20) : state.colour;
    theme::FillRounded(dc, client, 12, fill, theme::Darker(state.colour, 30));
    RECT text = client;
    if (state.pressed) OffsetRect(&text, 1, 1);
    theme::DrawLabel(dc, caption, text, theme::GetFonts().uiBold, RGB(255, 255, 255),
                     DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void OnPaint(HWND window, const IconState& state) {
    theme::BufferedPaint paint(window);
    char caption[128] = {};
    GetWindowTextA(window, caption, sizeof caption);
    PaintBackground(window, paint.Dc(), paint.Client(), state.style);
    switch (state.style) {
        case IconStyle::Toolbar:
        case IconStyle::Panel: PaintTile(paint.Dc(), paint.Client(), state, caption); break;
        case IconStyle::Format: PaintFormat(paint.Dc(), paint.Client(), state); break;
        case IconStyle::Action: PaintAction(paint.Dc(), paint.Client(), state, caption); break;
    }
}

bool PointerInside(HWND window, LPARAM lParam) {
    RECT client{};
    GetClientRect(window, &client);
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&client, at) != FALSE;
}

// Returns true when the message completed a click (the caller then sends it).
bool OnButtonDown(HWND window, IconState& state, bool fromOutside) {
    SetPressed(window, state, true);
    // A real press follows the pointer until the button comes up; a sent one waits for Space.
    if (!fromOutside) {
        state.mouseDown = true;
        SetCapture(window);
    }
    return false;
}

bool OnButtonUp(HWND window, IconState& state, LPARAM lParam) {
    if (!state.mouseDown) return false;
    state.mouseDown = false;
    const bool clicked = state.pressed && PointerInside(window, lParam);
    SetPressed(window, state, false);
    ReleaseCapture();
    return clicked;
}

bool OnKeyUp(HWND window, IconState& state, WPARAM key) {
    if (key != VK_SPACE || !state.pressed) return false;
    if (state.mouseDown) {
        state.mouseDown = false;
        ReleaseCapture();
    }
    SetPressed(window, state, false);
    return true;
}

LRESULT CALLBACK IconProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const MessageScope scope(window, message, wParam, lParam);
    IconState* state = StateOf(window);
    if (message == WM_NCCREATE) {
        const auto* look =
            static_cast<const IconLook*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        auto created = std::make_unique<IconState>(
            IconState{look->glyph ? look->glyph : "", look->colour, look->style});
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created.release()));
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        delete state;
        state = nullptr;
    }
    if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);

    bool clicked = false;
    switch (message) {
        case WM_PAINT: OnPaint(window, *state); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: clicked = OnButtonDown(window, *state, scope.FromOutside()); break;
        case WM_MOUSEMOVE:
            if (state->mouseDown) SetPressed(window, *state, PointerInside(window, lParam));
            return 0;
        case WM_LBUTTONUP: clicked = OnButtonUp(window, *state, lParam); break;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) SetPressed(window, *state, true);
            return 0;
        case WM_KEYUP: clicked = OnKeyUp(window, *state, wParam); break;
        case WM_CAPTURECHANGED:
            if (state->mouseDown && reinterpret_cast<HWND>(lParam) != window) {
                state->mouseDown = false;
                SetPressed(window, *state, false);
            }
            return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
    if (clicked) Click(window);
    return 0;
}

}  // namespace

void RegisterIconClass(HINSTANCE instance) {
    RegisterWindowClass(instance, quillow::client::kIcon, IconProc, IDC_HAND);
}

HWND CreateIcon(HWND parent, int id, const IconLook& look, const RECT& rect, std::string role) {
    const HWND icon =
        CreateWindowExA(0, quillow::client::kIcon.data(), look.caption, WS_CHILD | WS_VISIBLE,
                        rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        GetModuleHandleA(nullptr), const_cast<IconLook*>(&look));
    SetRole(icon, std::move(role));
    return icon;
}

}  // namespace standin
