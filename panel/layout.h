// The panel's layout, fixed when the program is built. Positions and sizes are in twips
// (1/1440 inch; 15 twips are one pixel at 96 dpi) from the top-left of the client area.
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

// A control's id doubles as its command number: Command1 has id 1, Text1 has id 100.
struct Control {
    ControlKind kind;
    std::string_view text;  // caption or initial text
    int left, top, width, height;
    int tabIndex;
    int id;
};

inline constexpr int kText1Id = 100;

// Left to right, top row first. The narrow buttons overlap their neighbours by one pixel and
// "IM off" runs one pixel past the right edge: the layout is meant so.
inline constexpr std::array<Control, 9> kControls{{
    {ControlKind::Button, "IM on", 0, 0, 615, 195, 3, 3},                         // Command3
    {ControlKind::Button, "Con", 600, 0, 375, 195, 8, 8},                         // Command8
    {ControlKind::Button, "Start", 960, 0, 615, 195, 0, 1},                       // Command1
    {ControlKind::TextBox, "Put your reason ", 1680, 0, 1335, 195, 1, kText1Id},  // Text1
    {ControlKind::Button, "Stop", 3120, 0, 615, 195, 2, 2},                       // Command2
    {ControlKind::Button, "Adv", 3720, 0, 375, 195, 7, 7},                        // Command7
    {ControlKind::Button, "IM off", 4080, 0, 615, 195, 4, 4},                     // Command4
    {ControlKind::Button, "Clr Cht", 480, 240, 615, 195, 5, 5},                   // Command5
    {ControlKind::Button, "Exit", 3600, 240, 615, 195, 6, 6},                     // Command6
}};

// The controls in tab order (which is also their creation order).
std::array<Control, kControls.size()> InTabOrder();

// Arial 6.75 pt on every control: regular weight, ANSI character set.
inline constexpr std::string_view kFontFace = "Arial";
inline constexpr int kFontHundredthsOfPoint = 675;

// Text1: white, with text in red 128, green 128, blue 255. Values are 0x00BBGGRR.
inline constexpr std::uint32_t kText1Background = 0x00FFFFFF;
inline constexpr std::uint32_t kText1Foreground = 0x00FF8080;

inline constexpr unsigned kTimer1IntervalMs = 60000;

// Twips to pixels at the given density, rounded to the nearest pixel.
constexpr int ToPixels(int twips, int dpi) {
    return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

// The font's height in pixels at the given density: 9 px at 96 dpi.
constexpr int FontPixels(int dpi) { return (kFontHundredthsOfPoint * dpi + 3600) / 7200; }

}  // namespace quillow::layout
