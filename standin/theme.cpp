#include "standin/theme.h"

#include <algorithm>

namespace standin::theme {
namespace {

HFONT MakeFont(int points, int weight, bool italic = false) {
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return CreateFontA(height, 0, 0, 0, weight, italic, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, "Arial");
}

}  // namespace

const Fonts& GetFonts() {
    static const Fonts fonts{
        MakeFont(9, FW_NORMAL),      MakeFont(9, FW_BOLD),    MakeFont(7, FW_NORMAL),
        MakeFont(10, FW_BOLD),       MakeFont(10, FW_NORMAL), MakeFont(10, FW_BOLD),
        MakeFont(13, FW_BOLD, true),
    };
    return fonts;
}

HBRUSH DocumentBrush() {
    static const HBRUSH brush = CreateSolidBrush(kDocument);
    return brush;
}

COLORREF Darker(COLORREF colour, int percent) {
    const auto scale = [percent](int channel) { return channel * (100 - percent) / 100; };
    return RGB(scale(GetRValue(colour)), scale(GetGValue(colour)), scale(GetBValue(colour)));
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void FillGradient(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom, int spanTop,
                  int spanHeight) {
    const int span = std::max(1, spanHeight - 1);
    for (int y = rect.top; y < rect.bottom; ++y) {
        const int t = std::clamp(y - spanTop, 0, span);
        const auto mix = [t, span](int a, int b) { return a + (b - a) * t / span; };
        const RECT row{rect.left, y, rect.right, y + 1};
        FillSolid(
            dc, row,
            RGB(mix(GetRValue(top), GetRValue(bottom)), mix(GetGValue(top), GetGValue(bottom)),
                mix(GetBValue(top), GetBValue(bottom))));
    }
}

void FillRounded(HDC dc, const RECT& rect, int radius, COLORREF fill, COLORREF border) {
    SetDCBrushColor(dc, fill);
    SetDCPenColor(dc, border);
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(DC_BRUSH));
    const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(DC_PEN));
    RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, radius, radius);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

void DrawLabel(HDC dc, const char* text, RECT rect, HFONT font, COLORREF colour, UINT format) {
    const HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    DrawTextA(dc, text, -1, &rect, format | DT_NOPREFIX);
    SelectObject(dc, oldFont);
}

BufferedPaint::BufferedPaint(HWND window) : window_(window) {
    screen_ = BeginPaint(window, &paint_);
    GetClientRect(window, &client_);
    memory_ = CreateCompatibleDC(screen_);
    bitmap_ =
        CreateCompatibleBitmap(screen_, std::max(1L, client_.right), std::max(1L, client_.bottom));
    previous_ = SelectObject(memory_, bitmap_);
}

BufferedPaint::~BufferedPaint() {
    BitBlt(screen_, 0, 0, client_.right, client_.bottom, memory_, 0, 0, SRCCOPY);
    SelectObject(memory_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(memory_);
    EndPaint(window_, &paint_);
}

}  // namespace standin::theme
