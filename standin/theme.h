// The client's look: colours, fonts and a few drawing helpers shared by its windows.
#pragma once

#include <windows.h>

namespace standin::theme {

inline constexpr COLORREF kToolbarTop = RGB(0xF7, 0xF9, 0xFD);
inline constexpr COLORREF kToolbarBottom = RGB(0xD5, 0xDF, 0xEE);
inline constexpr COLORREF kToolbarEdge = RGB(0x8E, 0xA2, 0xBF);
inline constexpr COLORREF kDocument = RGB(0xEB, 0xEF, 0xF5);
inline constexpr COLORREF kPane = RGB(0xFF, 0xFF, 0xFF);
inline constexpr COLORREF kCaption = RGB(0x1E, 0x2A, 0x3C);
inline constexpr COLORREF kMuted = RGB(0x5A, 0x66, 0x78);
inline constexpr COLORREF kBrand = RGB(0x14, 0x4E, 0xA8);
inline constexpr COLORREF kScreenName = RGB(0x2B, 0x2B, 0x2B);
inline constexpr COLORREF kOn = RGB(0x2E, 0x8B, 0x4A);
inline constexpr COLORREF kOff = RGB(0xA8, 0x3A, 0x3A);
inline constexpr COLORREF kStatus = RGB(0xE3, 0xE8, 0xF0);

inline constexpr int kToolbarHeight = 62;
inline constexpr int kStatusHeight = 26;

struct Fonts {
    HFONT ui;  // labels, boxes
    HFONT uiBold;
    HFONT caption;         // under the icons
    HFONT glyph;           // the letters on the icons
    HFONT transcript;      // chat text
    HFONT transcriptBold;  // screen names
    HFONT brand;
};

// Made on first use and kept for the life of the program.
const Fonts& GetFonts();

// A brush of the document background, for WM_CTLCOLOR* answers.
HBRUSH DocumentBrush();

COLORREF Darker(COLORREF colour, int percent);

void FillSolid(HDC dc, const RECT& rect, COLORREF colour);

// Fills `rect` with the slice of a top-to-bottom gradient that runs over `spanHeight` pixels
// starting `spanTop` pixels above the rectangle's own coordinates' origin.
void FillGradient(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom, int spanTop,
                  int spanHeight);

void FillRounded(HDC dc, const RECT& rect, int radius, COLORREF fill, COLORREF border);

// Draws ANSI text with the given font and colour, transparent background.
void DrawLabel(HDC dc, const char* text, RECT rect, HFONT font, COLORREF colour, UINT format);

// Paints a window off-screen and copies the result in one go, so nothing flickers.
class BufferedPaint {
public:
    explicit BufferedPaint(HWND window);
    ~BufferedPaint();

    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;

    HDC Dc() const { return memory_; }
    const RECT& Client() const { return client_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC screen_;
    HDC memory_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    RECT client_{};
};

}  // namespace standin::theme
