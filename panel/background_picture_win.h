// The panel's background picture, painted for the density it is shown at.
#pragma once

#include <windows.h>

#include "panel/gdi_object_win.h"

namespace quillow {

class BackgroundPicture {
public:
    // Paints the picture for a screen of `dpi` dots per inch, as large as it covers the same
    // part of the panel as at 96 dpi, unless it is painted for that density already. False if
    // GDI fails; the panel then shows its plain face colour instead.
    bool Prepare(int dpi);


    // Draws the part of the picture inside `area`, its top-left corner at the origin, and
    // fills what of `area` lies beyond the picture with the standard face colour.
    void Paint(HDC dc, const RECT& area) const;

private:
    Bitmap bitmap_;
    SIZE size_{0, 0};
    int dpi_ = 0;  // what bitmap_ is painted for
};

}  // namespace quillow
