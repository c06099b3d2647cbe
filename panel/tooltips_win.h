// The panel's tooltips: one tooltip window, owned by the panel (a popup of its own, not one of
// the panel's controls), that tells what each button and the reason box does while the mouse
// rests on it, whether or not the panel is the active window.
#pragma once

#include <windows.h>

#include <array>

#include "panel/gdi_object_win.h"
#include "panel/layout.h"

namespace quillow {

class PanelTooltips {
public:
    PanelTooltips() = default;
    PanelTooltips(const PanelTooltips&) = delete;
    PanelTooltips& operator=(const PanelTooltips&) = delete;

    // Makes the tooltip window, owned by `panel`, with a tool for each of `controls` (in the
    // layout's order), lettered for `dpi`. The window goes away with its owner. False if it
    // could not be made; the panel works as well without it.
    [[nodiscard]] bool Create(HWND panel, HINSTANCE module,
                              const std::array<HWND, layout::kControls.size()>& controls, int dpi);

    // Letters the tooltips for another density: the font, and the width their text wraps at.
    void SetDpi(int dpi);

    [[nodiscard]] HWND hwnd() const { return tip_; }

private:
    HWND tip_ = nullptr;
    Font font_;  // outlives the window, which goes first, with the panel
};

}  // namespace quillow
