#include "panel/background_picture_win.h"

#include <cstdint>

#include "panel/background_art.h"
#include "panel/layout.h"

namespace quillow {

// Painted into a DIB section, whose pixels the painter fills as they are: top-down rows of
// 32-bit 0x00RRGGBB, whatever the screen's depth. The picture is shown pixel for pixel.
bool BackgroundPicture::Prepare(int dpi) {
    if (bitmap_ && dpi == dpi_) return true;
    bitmap_.reset();
    size_ = {0, 0};
    const layout::PixelSize size =
        layout::PictureSize({art::kDesignWidth, art::kDesignHeight}, dpi);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.width;
    info.bmiHeader.biHeight = -size.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) return false;

    const auto count = static_cast<size_t>(size.width) * static_cast<size_t>(size.height);
    art::PaintBackground({static_cast<std::uint32_t*>(bits), count}, size.width, size.height,
                         static_cast<double>(dpi) / layout::kDesignDpi);
    bitmap_ = std::move(bitmap);
    size_ = {size.width, size.height};
    dpi_ = dpi;
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
