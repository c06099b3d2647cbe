#include "panel/panel_icons_win.h"

#include <utility>

#include "assets/resource_ids.h"
#include "panel/layout.h"

namespace quillow {
namespace {

// The icon file holds 16, 20, 24, 32, 40 and 48 px: LoadImageW picks the best of them for the
// size asked for, and scales only at densities that need a size it lacks.
HICON LoadProgramIcon(HINSTANCE module, int size, UINT flags = 0) {
    return static_cast<HICON>(
        LoadImageW(module, MAKEINTRESOURCEW(QUILLOW_IDI_PROGRAM), IMAGE_ICON, size, size, flags));
}

// Swaps one of the window's icons, destroying the one it had (ours; null the first time).
void Swap(HWND panel, WPARAM which, HICON& owned, HICON icon) {
    SendMessageW(panel, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    if (owned != nullptr) DestroyIcon(owned);
    owned = icon;
}

}  // namespace

PanelIcons::~PanelIcons() {
    if (large_ != nullptr) DestroyIcon(large_);
    if (small_ != nullptr) DestroyIcon(small_);
}

void PanelIcons::Set(HWND panel, HINSTANCE module, int dpi) {
    Swap(panel, ICON_BIG, large_, LoadProgramIcon(module, MulDiv(32, dpi, layout::kDesignDpi)));
    Swap(panel, ICON_SMALL, small_, LoadProgramIcon(module, MulDiv(16, dpi, layout::kDesignDpi)));
}

void PanelIcons::ForClass(WNDCLASSEXW& windowClass) {
    windowClass.hIcon =
        LoadProgramIcon(windowClass.hInstance, GetSystemMetrics(SM_CXICON), LR_SHARED);
    windowClass.hIconSm =
        LoadProgramIcon(windowClass.hInstance, GetSystemMetrics(SM_CXSMICON), LR_SHARED);
}

}  // namespace quillow
