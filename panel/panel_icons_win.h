// The program's icon on the panel: its large and small icons, loaded at the sizes Windows
// shows them at the panel's density (caption, taskbar, Alt+Tab), and the window class's.
#pragma once

#include <windows.h>

namespace quillow {

class PanelIcons {
public:
    PanelIcons() = default;
    ~PanelIcons();
    PanelIcons(const PanelIcons&) = delete;
    PanelIcons& operator=(const PanelIcons&) = delete;

    // Gives `panel` the icon resource QUILLOW_IDI_PROGRAM of `module` as its large (32 px at
    // 96 dpi) and small (16 px) icons, at `dpi` dots per inch. Called again when the density
    // changes, it swaps them for icons of the new sizes. The icons are owned here, so this
    // outlives the window it sets them on.
    void Set(HWND panel, HINSTANCE module, int dpi);

    // The icons for a window class of `module`, at the system's sizes (shared, never freed).
    static void ForClass(WNDCLASSEXW& windowClass);

private:
    HICON large_ = nullptr;
    HICON small_ = nullptr;
};

}  // namespace quillow
