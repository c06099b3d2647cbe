#include "panel/background_picture_win.h"

#include "panel/layout.h"

namespace quillow {
namespace {

// A copy of `source` at `size`, for the screen. Halftoning averages the source pixels a
// target pixel covers, which keeps the gradients smooth and the stars round.
Bitmap Scaled(HBITMAP source, SIZE from, SIZE to) {
    HDC screen = GetDC(nullptr);
    Bitmap target(CreateCompatibleBitmap(screen, to.cx, to.cy));
    if (target) {
        MemoryDc in(screen, source);
        MemoryDc out(screen, target.get());
        if (!in || !out) {
            target.reset();
        } else {
            SetStretchBltMode(out.get(), HALFTONE);
            SetBrushOrgEx(out.get(), 0, 0, nullptr);  // as HALFTONE requires
            if (!StretchBlt(out.get(), 0, 0, to.cx, to.cy, in.get(), 0, 0, from.cx, from.cy,
                            SRCCOPY)) {
                target.reset();
            }
        }
    }
    ReleaseDC(nullptr, screen);
    return target;
}

}  // namespace

bool BackgroundPicture::Load(HINSTANCE module, int resourceId, int dpi) {
    bitmap_.reset();
    size_ = {0, 0};
    // A DIB section keeps the picture's own 24-bit pixels, whatever the screen's depth.
    Bitmap loaded(static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!loaded) return false;
    BITMAP info;
    if (GetObjectW(loaded.get(), sizeof info, &info) != sizeof info) return false;

    const SIZE natural{info.bmWidth, info.bmHeight};
    if (dpi == layout::kDesignDpi) {
        bitmap_ = std::move(loaded);
        size_ = natural;
        return true;
    }
    const layout::PixelSize size = layout::PictureSize({natural.cx, natural.cy}, dpi);
    const SIZE shown{size.width, size.height};
    Bitmap scaled = Scaled(loaded.get(), natural, shown);
    if (!scaled) return false;
    bitmap_ = std::move(scaled);
    size_ = shown;
    return true;
}

void BackgroundPicture::Paint(HDC dc, const RECT& area) const {
    const RECT whole{0, 0, size_.cx, size_.cy};
    RECT covered;
    if (bitmap_ && IntersectRect(&covered, &area, &whole)) {
        MemoryDc picture(dc, bitmap_.get());
        if (picture) {
            BitBlt(dc, covered.left, covered.top, covered.right - covered.left,
                   covered.bottom - covered.top, picture.get(), covered.left, covered.top, SRCCOPY);
        }
    }
    // What the picture leaves uncovered: nothing when it is shown as designed, everything
    // when there is no picture.
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, whole.left, whole.top, whole.right, whole.bottom);
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    RestoreDC(dc, saved);
}

}  // namespace quillow
