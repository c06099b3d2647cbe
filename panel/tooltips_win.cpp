#include "panel/tooltips_win.h"

#include <commctrl.h>

#include <cstddef>
#include <string>

#include "automation/ansi_text.h"
#include "panel/dpi_win.h"
#include "panel/tooltip_texts.h"

namespace quillow {
namespace {

// Long enough to read three lines; the system's default, ten times the half second the
// tooltip waits before it shows, is not.
constexpr int kShownMs = 20000;

// The system's font for tooltips and status bars, at `dpi`. The system gives it for its own
// density, which another monitor's may not be. Null if the system does not say.
Font MakeTipFont(int dpi) {
    NONCLIENTMETRICSW metrics{};
    // The structure as XP knows it: Vista added a member at its end, and XP refuses the size
    // with it.
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, lfMessageFont) + sizeof metrics.lfMessageFont;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
        return Font();
    }
    LOGFONTW font = metrics.lfStatusFont;
    font.lfHeight = MulDiv(font.lfHeight, dpi, dpi::ScreenDpi());
    return Font(CreateFontIndirectW(&font));
}

}  // namespace

bool PanelTooltips::Create(HWND panel, HINSTANCE module,
                           const std::array<HWND, layout::kControls.size()>& controls, int dpi) {
    // No common-controls 6 in the manifest: every Windows gives the program version 5, whose
    // tooltips XP has too.
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    if (!InitCommonControlsEx(&classes)) return false;
    // TTS_ALWAYSTIP: the panel is seldom the active window, since the user types in the chat
    // client, and activating it with a click would press a button.
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                           WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, panel, nullptr, module, nullptr);
    if (tip_ == nullptr) return false;
    for (size_t i = 0; i < controls.size(); ++i) {
        std::wstring text = Utf8ToWide(tips::TipText(layout::kControls[i].id));
        TOOLINFOW tool{};
        // The size version 5 takes; the full structure of newer headers makes it refuse the tool.
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        // The tooltip watches the control's own mouse messages, so the panel relays none.
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = panel;
        tool.uId = reinterpret_cast<UINT_PTR>(controls[i]);
        tool.lpszText = text.data();  // copied by the tooltip
        if (!SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) return false;
    }
    SendMessageW(tip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kShownMs, 0));
    SetDpi(dpi);
    return true;
}

// The old font is deleted only once the tooltip has the new one. The width also lets the text
// break at its line ends, which a tooltip without one shows as a single row.
void PanelTooltips::SetDpi(int dpi) {
    if (tip_ == nullptr) return;
    if (Font font = MakeTipFont(dpi)) {
        SendMessageW(tip_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        font_ = std::move(font);
    }
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, layout::ToPixels(layout::kTipMaxWidth, dpi));
}

}  // namespace quillow
