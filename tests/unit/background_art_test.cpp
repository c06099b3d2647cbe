// The panel's picture: the same drawing at every density, with the moon, the trail and the
// plain strip under the controls where the panel's design puts them.
#include "panel/background_art.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace quillow::art {
namespace {

// The picture painted `scale` times its designed size.
struct Picture {
    explicit Picture(int scale)
        : scale(scale), width(kDesignWidth * scale), pixels(width * kDesignHeight * scale) {
        PaintBackground(pixels, width, kDesignHeight * scale, scale);
    }
    // Red, green or blue (channel 2, 1, 0) of a pixel of this picture.
    int Channel(int x, int y, int channel) const {
        return pixels[y * width + x] >> (8 * channel) & 0xFF;
    }
    // The mean of the three channels of the pixel that shows design pixel (x, y).
    int Brightness(int x, int y) const {
        const int px = x * scale, py = y * scale;
        return (Channel(px, py, 0) + Channel(px, py, 1) + Channel(px, py, 2)) / 3;
    }
    int scale, width;
    std::vector<std::uint32_t> pixels;
};

// Each 2 x 2 block painted at 200 % against the pixel painted at 100 %. Stars are points of
// light a pixel wide, so where one falls between pixels the two differ; elsewhere only by
// the dither.
TEST(BackgroundArtTest, PaintedTwiceAsLargeItAveragesToThePictureAsDesigned) {
    const Picture one(1), two(2);
    double total = 0;
    int far = 0, count = 0;
    for (int y = 0; y < kDesignHeight; ++y) {
        for (int x = 0; x < kDesignWidth; ++x) {
            for (int channel = 0; channel < 3; ++channel, ++count) {
                const double mean =
                    (two.Channel(2 * x, 2 * y, channel) + two.Channel(2 * x + 1, 2 * y, channel) +
                     two.Channel(2 * x, 2 * y + 1, channel) +
                     two.Channel(2 * x + 1, 2 * y + 1, channel)) /
                    4.0;
                const double difference = std::abs(mean - one.Channel(x, y, channel));
                total += difference;
                far += difference > 5;
            }
        }
    }
    EXPECT_LT(total / count, 0.5) << "mean difference of a channel, in levels";
    EXPECT_LT(far, count / 100) << "channels more than 5 levels apart";
}

// A crescent, lit on its left, its bite taken out at the upper right, at 100 % and 200 %: its
// disc, 30 pixels across, touches column 43 on the left and row 92 at the bottom.
TEST(BackgroundArtTest, MoonIsALitCrescentWhereDesigned) {
    for (const int scale : {1, 2}) {
        SCOPED_TRACE(testing::Message() << "at " << scale * 100 << " %");
        const Picture picture(scale);
        EXPECT_GT(picture.Brightness(47, 80), 180) << "the lit side";
        EXPECT_LT(picture.Brightness(63, 72), 120) << "the bite";
        EXPECT_GT(picture.Brightness(43, 78), 180) << "the left edge";
        EXPECT_LT(picture.Brightness(42, 78), 120) << "left of the moon";
        EXPECT_GT(picture.Brightness(58, 92), 180) << "the bottom edge";
        EXPECT_LT(picture.Brightness(58, 93), 120) << "below the moon";
    }
}

// From the nib towards the right, each column's brightest pixel near the bottom stands well
// above the sky 4 pixels above and below it: the line of light the nib writes.
TEST(BackgroundArtTest, TrailIsLighterThanTheSkyBesideIt) {
    const Picture picture(1);
    for (int x = 100; x <= 200; x += 20) {
        int line = 190;
        for (int y = 190; y < kDesignHeight - 4; ++y) {
            if (picture.Brightness(x, y) > picture.Brightness(x, line)) line = y;
        }
        EXPECT_GT(picture.Brightness(x, line) - picture.Brightness(x, line - 4), 45) << x;
        EXPECT_GT(picture.Brightness(x, line) - picture.Brightness(x, line + 4), 45) << x;
    }
}

// The top 29 rows lie under the buttons and the reason box: dark, with no star or feather.
TEST(BackgroundArtTest, StripUnderTheControlsIsDark) {
    const Picture picture(1);
    for (int y = 0; y < 29; ++y) {
        for (int x = 0; x < kDesignWidth; ++x)
            ASSERT_LT(picture.Brightness(x, y), 48) << x << "," << y;
    }
}

}  // namespace
}  // namespace quillow::art
