// The panel's background picture, ready to be drawn at the size it is shown.
#pragma once

#include <windows.h>

#include "panel/gdi_object_win.h"

namespace quillow {

class BackgroundPicture {
public:
    // Loads the bitmap resource and prepares it for a screen of `dpi` dots per inch, in place
    // of any picture loaded before: as it is at 96 dpi, scaled with halftoning at any other
    // density so it covers the same part of the panel. False if the resource is missing or
    // GDI fails; the panel then shows its plain background colour instead.
    bool Load(HINSTANCE module, int resourceId, int dpi);

    [[nodiscard]] SIZE Size() const { return size_; }

    // Draws the part of the picture inside `area`, its top-left corner at the origin, and
    // fills what of `area` lies beyond the picture with the standard face colour.
    void Paint(HDC dc, const RECT& area) const;

private:
    Bitmap bitmap_;
    SIZE size_{0, 0};
};

}  // namespace quillow
