#include "standin/toolbar.h"

#include <string>

#include "automation/client_windows.h"
#include "standin/icon_button.h"
#include "standin/message_scope.h"
#include "standin/theme.h"
#include "standin/window_class.h"

namespace standin {
namespace {

constexpr IconLook kToolbarIcons[] = {
    {"Read", "R", RGB(0x2F, 0x7D, 0xC8), IconStyle::Toolbar},
    {"Write", "W", RGB(0x3B, 0x9C, 0x5A), IconStyle::Toolbar},
    {"Mail", "M", RGB(0xD0, 0x84, 0x1C), IconStyle::Toolbar},
    {"Print", "P", RGB(0x6B, 0x7A, 0x90), IconStyle::Toolbar},
    {"IM", "IM", RGB(0xE0, 0x4E, 0x39), IconStyle::Toolbar},
    {"People", "Pe", RGB(0x7A, 0x4D, 0xB8), IconStyle::Toolbar},
    {"Chat", "C", RGB(0x16, 0x9C, 0xA8), IconStyle::Toolbar},
    {"Files", "F", RGB(0x8A, 0x6A, 0x3E), IconStyle::Toolbar},
};
constexpr IconLook kExtraIcon = {"More", "+", RGB(0x55, 0x66, 0x80), IconStyle::Toolbar};

constexpr int kIconWidth = 54;
constexpr int kIconHeight = 52;
constexpr int kBrandWidth = 170;

void PaintBand(HWND window, bool withBrand) {
    theme::BufferedPaint paint(window);
    const RECT& client = paint.Client();
    theme::FillGradient(paint.Dc(), client, theme::kToolbarTop, theme::kToolbarBottom, 0,
                        client.bottom);
    const RECT edge{client.left, client.bottom - 1, client.right, client.bottom};
    theme::FillSolid(paint.Dc(), edge, theme::kToolbarEdge);
    if (withBrand) {
        RECT brand{client.right - kBrandWidth, 0, client.right - 12, client.bottom};
        theme::DrawLabel(paint.Dc(), "Stand-in Online", brand, theme::GetFonts().brand,
                         theme::kBrand, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    }
}

// Both levels pass their icons' presses up to the main window.
LRESULT BandProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool host) {
    const MessageScope scope(window, message, wParam, lParam);
    switch (message) {
        case WM_PAINT: PaintBand(window, host); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_COMMAND: return SendMessageA(GetParent(window), message, wParam, lParam);
        case WM_SIZE:
            if (host) {
                const HWND bar = GetWindow(window, GW_CHILD);
                if (bar) {
                    MoveWindow(bar, 0, 0, LOWORD(lParam) - kBrandWidth, HIWORD(lParam), TRUE);
                }
                InvalidateRect(window, nullptr, FALSE);
            }
            return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return BandProc(window, message, wParam, lParam, true);
}

LRESULT CALLBACK BarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return BandProc(window, message, wParam, lParam, false);
}

}  // namespace

void RegisterToolbarClasses(HINSTANCE instance) {
    RegisterWindowClass(instance, quillow::client::kToolbarHost, HostProc);
    RegisterWindowClass(instance, quillow::client::kToolbar, BarProc);
}

HWND CreateToolbar(HWND frame, int iconCount) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const HWND host = CreateWindowExA(0, quillow::client::kToolbarHost.data(), "",
                                      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 400,
                                      theme::kToolbarHeight, frame, nullptr, instance, nullptr);
    SetRole(host, "toolbar.host");
    const HWND bar = CreateWindowExA(0, quillow::client::kToolbar.data(), "",
                                     WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 400,
                                     theme::kToolbarHeight, host, nullptr, instance, nullptr);
    SetRole(bar, "toolbar");
    for (int i = 0; i < iconCount; ++i) {
        const IconLook& look =
            i < static_cast<int>(std::size(kToolbarIcons)) ? kToolbarIcons[i] : kExtraIcon;
        const int x = 8 + i * (kIconWidth + 2);
        const RECT rect{x, 4, x + kIconWidth, 4 + kIconHeight};
        CreateIcon(bar, kFirstToolbarIconId + i, look, rect,
                   "toolbar.icon" + std::to_string(i + 1));
    }
    return host;
}

}  // namespace standin
