// The panel's background picture, drawn at the density it is shown at: a night sky going from
// deep blue to violet, a crescent moon, stars, and a quill whose nib trails a line of light.
#pragma once

#include <cstdint>
#include <span>

namespace quillow::art {

// The picture as designed, in pixels at 96 dpi. Only the top 29 rows lie under the panel's
// buttons and reason box, so that strip is kept plain and dark; everything of interest is
// below it. The right and bottom 3-pixel strips are never seen on the panel.
inline constexpr int kDesignWidth = 315;
inline constexpr int kDesignHeight = 229;

// Fills `pixels`, `width` x `height` of them row by row from the top, with the picture drawn
// `scale` times its designed size (1.5 at 144 dpi), each pixel 0x00RRGGBB as a 32-bit DIB holds
// it. Every pixel is computed from the point of the design it shows, and edges are sampled
// finely, so the picture is as sharp at any scale as the screen allows. `pixels` holds at least
// width x height; a size other than the design's times `scale` crops or extends the sky.
void PaintBackground(std::span<std::uint32_t> pixels, int width, int height, double scale);

}  // namespace quillow::art
