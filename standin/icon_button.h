// "_AOL_Icon": the client's icon button. It is pressed by a button-down followed by Space
// released (what Quillow sends, with no button-up), or by an ordinary mouse click; either way
// it sends WM_COMMAND with BN_CLICKED to its parent.
#pragma once

#include <string>

#include <windows.h>

namespace standin {

enum class IconStyle {
    Toolbar,  // a coloured tile with a caption under it, on the toolbar's gradient
    Panel,    // the same on a document's background
    Format,   // a small square with a letter, for formatting choices
    Action,   // a filled, rounded push button with its caption inside
};

struct IconLook {
    const char* caption;  // the window text
    const char* glyph;    // the letters on the tile (Toolbar, Panel, Format)
    COLORREF colour;
    IconStyle style;
};

void RegisterIconClass(HINSTANCE instance);

HWND CreateIcon(HWND parent, int id, const IconLook& look, const RECT& rect, std::string role);

}  // namespace standin
