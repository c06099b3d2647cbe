// The panel's pixels at 96 dpi, as it has always been laid out, and at 144 dpi (150 %).
#include "panel/layout.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string_view>

namespace quillow::layout {

void PrintTo(const PixelRect& r, std::ostream* out) {
    *out << "{" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << "}";
}

namespace {

struct Expected {
    std::string_view caption;
    PixelRect at96, at144;  // left, top, width, height in client pixels
};
constexpr Expected kRects[] = {
    {"IM on", {0, 0, 41, 13}, {0, 0, 62, 20}},
    {"Con", {40, 0, 25, 13}, {60, 0, 38, 20}},
    {"Start", {64, 0, 41, 13}, {96, 0, 62, 20}},
    {"Put your reason ", {112, 0, 89, 13}, {168, 0, 134, 20}},
    {"Stop", {208, 0, 41, 13}, {312, 0, 62, 20}},
    {"Adv", {248, 0, 25, 13}, {372, 0, 38, 20}},
    {"IM off", {272, 0, 41, 13}, {408, 0, 62, 20}},
    {"Clr Cht", {32, 16, 41, 13}, {48, 24, 62, 20}},
    {"Exit", {240, 16, 41, 13}, {360, 24, 62, 20}},
};

TEST(PanelLayoutTest, ControlsClientPlaceFontAndPictureAt96And144Dpi) {
    ASSERT_EQ(std::size(kRects), kControls.size());
    for (size_t i = 0; i < kControls.size(); ++i) {
        SCOPED_TRACE(kRects[i].caption);
        ASSERT_EQ(kControls[i].text, kRects[i].caption);
        EXPECT_EQ(ControlRect(kControls[i], 96), kRects[i].at96);
        EXPECT_EQ(ControlRect(kControls[i], 144), kRects[i].at144);
    }
    EXPECT_EQ(ClientSize(96), (PixelSize{312, 226}));
    EXPECT_EQ(ClientSize(144), (PixelSize{468, 339}));
    EXPECT_EQ(ClientOriginOnScreen(96), (PixelPoint{353, 270}));
    EXPECT_EQ(ClientOriginOnScreen(144), (PixelPoint{530, 405}));
    EXPECT_EQ(FontPixels(96), 9);
    EXPECT_EQ(FontPixels(144), 14);
    EXPECT_EQ(PictureSize({315, 229}, 96), (PixelSize{315, 229}));
    EXPECT_EQ(PictureSize({315, 229}, 144), (PixelSize{473, 344}));
}

}  // namespace
}  // namespace quillow::layout
