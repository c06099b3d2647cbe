// The panel's layout, fixed when the program is built. Positions and sizes are in twips
// (1/1440 inch; 15 twips are one pixel at 96 dpi) from the top-left of the client area; the
// functions at the end give the pixels they come to at a screen's density, which is all the
// window needs to lay itself out at the start and again when its density changes.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace quillow::layout {

// Eight spaces, then the name and the credit.
inline constexpr std::string_view kCaption = "        Quillow [Torvik.Zennoq]";

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kClientWidth = 4680;   // 312 px at 96 dpi
inline constexpr int kClientHeight = 3390;  // 226 px
// Where the client area is first placed on the screen.
inline constexpr int kClientLeftOnScreen = 5295;
inline constexpr int kClientTopOnScreen = 4050;

enum class ControlKind { Button, TextBox };

// A control's id doubles as its command number: Command1 ("Start") has id 1, Text1 has id 100.
enum ControlId : int {
    kStartId = 1,  // Command1
    kStopId,       // Command2
    kImOnId,       // Command3
    kImOffId,      // Command4
    kClearChatId,  // Command5
    kExitId,       // Command6
    kAdvId,        // Command7
    kConId,        // Command8
    kText1Id = 100,
};

struct Control {
    ControlKind kind;
    std::string_view text;  // caption or initial text
    int left, top, width, height;
    int tabIndex;
    int id;
};

// Left to right, top row first. The narrow buttons overlap their neighbours by one pixel and
// "IM off" runs one pixel past the right edge: the layout is meant so.
inline constexpr std::array<Control, 9> kControls{{
    {ControlKind::Button, "IM on", 0, 0, 615, 195, 3, kImOnId},
    {ControlKind::Button, "Con", 600, 0, 375, 195, 8, kConId},
    {ControlKind::Button, "Start", 960, 0, 615, 195, 0, kStartId},
    {ControlKind::TextBox, "Put your reason ", 1680, 0, 1335, 195, 1, kText1Id},
    {ControlKind::Button, "Stop", 3120, 0, 615, 195, 2, kStopId},
    {ControlKind::Button, "Adv", 3720, 0, 375, 195, 7, kAdvId},
    {ControlKind::Button, "IM off", 4080, 0, 615, 195, 4, kImOffId},
    {ControlKind::Button, "Clr Cht", 480, 240, 615, 195, 5, kClearChatId},
    {ControlKind::Button, "Exit", 3600, 240, 615, 195, 6, kExitId},
}};

// What the tooltips say besides the lines a control posts, which they quote from the catalogue
// of lines (panel/tooltip_texts.cpp puts the two together). Short: a person reads a tooltip in
// a glance.
inline constexpr std::string_view kTipPostsLead = "Posts in the room:";
inline constexpr std::string_view kTipReasonPlaceholder = "<your reason>";
inline constexpr std::string_view kTipSendsLead = "Then sends";  // the message, to its recipient
inline constexpr std::string_view kTipImOnEffect = "which turns your instant messages on.";
inline constexpr std::string_view kTipImOffEffect = "which turns them off.";
inline constexpr std::string_view kTipExitEnds = "Then Quillow ends at once.";
inline constexpr std::string_view kTipClearChat =
    "Empties the conversation on your own screen. Sends nothing.";
inline constexpr std::string_view kTipReasonBox =
    "Your reason. It goes into the room exactly as typed, on Start and every minute.";
// How wide a tooltip may grow before its text wraps: 320 px at 96 dpi.
inline constexpr int kTipMaxWidth = 4800;

// The controls in tab order (which is also their creation order).
std::array<Control, kControls.size()> InTabOrder();

// Arial 6.75 pt on every control: regular weight, ANSI character set.
inline constexpr std::string_view kFontFace = "Arial";
inline constexpr int kFontHundredthsOfPoint = 675;

// Text1: white, with text in red 128, green 128, blue 255. Values are 0x00BBGGRR.
inline constexpr std::uint32_t kText1Background = 0x00FFFFFF;
inline constexpr std::uint32_t kText1Foreground = 0x00FF8080;

inline constexpr unsigned kTimer1IntervalMs = 60000;

// The density the layout and the picture were drawn for: 15 twips a pixel.
inline constexpr int kDesignDpi = 96;

// Twips to pixels at the given density, rounded to the nearest pixel.
constexpr int ToPixels(int twips, int dpi) {
    return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

struct PixelPoint {
    int x, y;
    friend constexpr bool operator==(const PixelPoint&, const PixelPoint&) = default;
};
struct PixelSize {
    int width, height;
    friend constexpr bool operator==(const PixelSize&, const PixelSize&) = default;
};
struct PixelRect {
    int left, top, width, height;
    friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A control's rectangle in client pixels. It spans from its left edge to its right edge, each
// rounded to whole pixels (not its width rounded on its own), so neighbours that touch or
// overlap by a pixel in the layout still do at any density.
constexpr PixelRect ControlRect(const Control& control, int dpi) {
    const int left = ToPixels(control.left, dpi);
    const int top = ToPixels(control.top, dpi);
    return {left, top, ToPixels(control.left + control.width, dpi) - left,
            ToPixels(control.top + control.height, dpi) - top};
}

constexpr PixelSize ClientSize(int dpi) {
    return {ToPixels(kClientWidth, dpi), ToPixels(kClientHeight, dpi)};
}

// Where the client area's top-left corner first goes, in pixels of the primary screen at its
// density `dpi`.
constexpr PixelPoint ClientOriginOnScreen(int dpi) {
    return {ToPixels(kClientLeftOnScreen, dpi), ToPixels(kClientTopOnScreen, dpi)};
}

// The font's height in pixels at the given density: 9 px at 96 dpi.
constexpr int FontPixels(int dpi) { return (kFontHundredthsOfPoint * dpi + 3600) / 7200; }

// A picture drawn for kDesignDpi, `designed` pixels large, at the given density: scaled so it
// covers the same part of the panel, rounded to the nearest pixel.
constexpr PixelSize PictureSize(PixelSize designed, int dpi) {
    return {(designed.width * dpi + kDesignDpi / 2) / kDesignDpi,
            (designed.height * dpi + kDesignDpi / 2) / kDesignDpi};
}

}  // namespace quillow::layout
