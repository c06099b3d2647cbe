#include "panel/background_art.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

namespace quillow::art {
namespace {

// Colours are floats, 0 to 255 per channel (light added to the sky may pass 255 until the end).
using Colour = std::array<double, 3>;

struct Point {
    double x, y;
};

constexpr double kWidth = kDesignWidth;
constexpr double kHeight = kDesignHeight;

// Where things are, in design pixels: the quill runs from the tip of its nib up to the tip of
// its feather.
constexpr Point kNib{70.0, 206.0};
constexpr Point kTip{250.0, 58.0};
constexpr Point kMoon{58.0, 78.0};
constexpr double kMoonRadius = 15.0;

// Samples per device pixel and axis at the edges of the moon, the quill and the trail.
constexpr int kSupersample = 4;

double Clamp01(double x) { return std::clamp(x, 0.0, 1.0); }

double Smoothstep(double edge0, double edge1, double x) {
    const double t = Clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

Colour Mix(const Colour& a, const Colour& b, double t) {
    return {a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t};
}

Colour Add(const Colour& base, const Colour& light, double amount) {
    return {base[0] + light[0] * amount, base[1] + light[1] * amount, base[2] + light[2] * amount};
}

Colour Times(const Colour& c, double factor) {
    return {c[0] * factor, c[1] * factor, c[2] * factor};
}

double Squared(double x, double y) { return x * x + y * y; }

// e to the power `exponent`, as the glows fade: where that adds less than a hundredth of a
// level, nothing, which spares most of the exponentials (slow where floating point is
// emulated, as 32-bit programs are on some machines).
double Fading(double exponent) { return exponent < -12.0 ? 0.0 : std::exp(exponent); }

// A colour over what lies behind it, and how much of the sample it covers.
struct Layer {
    Colour colour;
    double alpha;
};

// --- The sky ---

struct Stop {
    double at;
    Colour colour;
};
constexpr std::array<Stop, 5> kSkyStops{{
    {0.00, {9, 12, 36}},
    {0.20, {12, 17, 52}},
    {0.55, {30, 28, 88}},
    {0.85, {58, 36, 108}},
    {1.00, {74, 40, 112}},
}};

Colour Gradient(double t) {
    for (size_t i = 1; i < kSkyStops.size(); ++i) {
        const Stop &from = kSkyStops[i - 1], &to = kSkyStops[i];
        if (t <= to.at) return Mix(from.colour, to.colour, (t - from.at) / (to.at - from.at));
    }
    return kSkyStops.back().colour;
}

// The moon's glow, a Gaussian, is the product of one factor for the column and one for the row.
double GlowFactor(double offset) { return std::exp(-(offset * offset) / (42.0 * 42.0)); }

// --- The stars ---

struct Star {
    double x, y, brightness;
    bool glint;
};

// A small linear congruential generator, so the stars never depend on a library's.
class Lcg {
public:
    explicit Lcg(std::uint64_t seed) : state_(seed) {}
    double Next() {
        state_ = (state_ * 1103515245 + 12345) % 2147483648;
        return static_cast<double>(state_) / 2147483648.0;
    }

private:
    std::uint64_t state_;
};

std::vector<Star> MakeStars() {
    Lcg random(20240611);
    std::vector<Star> stars;
    while (stars.size() < 70) {
        const double x = random.Next() * kWidth;
        const double y = 34.0 + random.Next() * (kHeight - 40.0);
        const double brightness = 0.35 + 0.65 * std::pow(random.Next(), 2.5);
        if (Squared(x - kMoon.x, y - kMoon.y) < Squared(kMoonRadius + 10.0, 0.0)) continue;
        stars.push_back({x, y, brightness, false});
    }
    // A few brighter ones with a four-pointed glint.
    for (const Point& p :
         {Point{118, 58}, Point{286, 118}, Point{30, 150}, Point{182, 40}, Point{228, 190}}) {
        stars.push_back({p.x, p.y, 1.0, true});
    }
    return stars;
}

constexpr double kStarReach = 6.0;  // beyond this, in either axis, a star adds nothing

double Starlight(Point p, const std::vector<const Star*>& near) {
    double light = 0.0;
    for (const Star* star : near) {
        const double dx = p.x - star->x, dy = p.y - star->y;
        if (std::abs(dx) > kStarReach) continue;
        light += star->brightness * Fading(-(dx * dx + dy * dy) / 0.35);
        if (star->glint) {
            light += 0.55 * Fading(-(dx * dx) / 0.12 - std::abs(dy) / 1.6);
            light += 0.55 * Fading(-(dy * dy) / 0.12 - std::abs(dx) / 1.6);
        }
    }
    return light;
}

// --- The moon ---

std::optional<Layer> Moon(Point p) {
    const double d2 = Squared(p.x - kMoon.x, p.y - kMoon.y);
    if (d2 >= kMoonRadius * kMoonRadius) return std::nullopt;
    constexpr double kBite = kMoonRadius - 1.5;  // the disc taken out, leaving a crescent
    if (Squared(p.x - (kMoon.x + 7.0), p.y - (kMoon.y - 4.0)) < kBite * kBite) return std::nullopt;
    const double shade = 0.9 + 0.1 * (1.0 - std::sqrt(d2) / kMoonRadius);
    return Layer{Times({246, 240, 214}, shade), 1.0};
}

// --- The quill ---

constexpr double kVaneStart = 0.22;  // fraction of the length where the vanes begin
constexpr double kBarbSlant = 0.85;  // barbs run outwards and towards the tip
constexpr double kBarbSpacing = 2.6;
constexpr double kWidestVane[2] = {28.0, 18.0};  // towards the moon, and away from it

struct QuillAxis {
    double length, alongX, alongY, acrossX, acrossY;  // across: towards the lower right
};
const QuillAxis kAxis = [] {
    const double dx = kTip.x - kNib.x, dy = kTip.y - kNib.y;
    const double length = std::sqrt(Squared(dx, dy));
    return QuillAxis{length, dx / length, dy / length, -dy / length, dx / length};
}();

// Position along the quill (0 at the nib, 1 at the tip) and across it, in design pixels,
// measured from its gently bowed shaft.
struct Along {
    double s, v;
};
Along Local(Point p) {
    const double px = p.x - kNib.x, py = p.y - kNib.y;
    const double s = (px * kAxis.alongX + py * kAxis.alongY) / kAxis.length;
    const double v = px * kAxis.acrossX + py * kAxis.acrossY;
    return {s, v + 42.0 * s * (1.0 - s)};  // the shaft bows towards the upper left
}

// A function on [0, 1] tabulated, linear between steps. The vanes' powers and the barbs' cosine
// are taken at nearly every sample, and a table is several times faster than std::pow and as
// good to the eye: the vanes' widths come within a thousandth of a pixel, but for the last
// hundredth of their length, where they taper to nothing at the tip.
class Curve {
public:
    template <typename Function>
    explicit Curve(Function f) : table_(kSteps + 1) {
        for (int i = 0; i <= kSteps; ++i) table_[i] = f(static_cast<double>(i) / kSteps);
    }
    double operator()(double x) const {
        const double at = Clamp01(x) * kSteps;
        const int i = std::min(static_cast<int>(at), kSteps - 1);
        return table_[i] + (table_[i + 1] - table_[i]) * (at - i);
    }

private:
    static constexpr int kSteps = 1024;
    std::vector<double> table_;
};

// True inside one of the small notches where barbs have parted at a vane's edge.
bool Parted(double u, double across, double width, double centre) {
    const double line = u - kBarbSlant * across;
    const double depth = across / width - 0.55;
    return depth > 0.0 && std::abs(line - centre) < 0.3 + 5.0 * depth * depth;
}

class Quill {
public:
    // The quill at one sample, if it covers it.
    std::optional<Layer> At(Point p) const {
        const auto [s, v] = Local(p);
        if (s < -0.01 || s > 1.01) return std::nullopt;
        const double across = std::abs(v);

        // The nib: a dark, pointed tip with a line of light along its slit.
        if (s < 0.07) {
            if (across > 2.4 * s / 0.07) return std::nullopt;
            return Layer{Mix({40, 36, 70}, {150, 170, 230}, across < 0.35 ? 0.6 : 0.0), 1.0};
        }
        // The shaft, bare below the vanes and narrowing to the tip.
        const double shaft = s < kVaneStart ? 2.3 : 2.3 * (1.0 - s) / (1.0 - kVaneStart) + 0.35;
        if (across <= shaft * 0.5) return Layer{Mix({255, 252, 240}, {226, 220, 236}, s), 1.0};

        const int side = v < 0 ? 0 : 1;
        const double width = VaneWidth(s, side);
        if (across > width) return std::nullopt;
        const double u = s * kAxis.length;
        if (Parted(u, across, width, (side == 0 ? 0.55 : 0.71) * kAxis.length)) {
            return std::nullopt;
        }

        const double edge = across / width;
        Colour colour = Mix({240, 236, 252}, {160, 160, 226}, shading_(edge));
        if (side == 1) colour = Times(colour, 0.86);
        // The barbs: fine slanted lines across the vane.
        const double phase = (u - kBarbSlant * across) / kBarbSpacing;
        colour = Times(colour, 0.9 + 0.1 * barbs_(phase - std::floor(phase)));
        // Soft at the edge, and downy where the vanes begin.
        double alpha = (1.0 - Smoothstep(0.82, 1.0, edge)) * 0.95;
        alpha *= Smoothstep(kVaneStart, kVaneStart + 0.1, s) * 0.75 + (edge < 0.6 ? 0.25 : 0.0);
        return Layer{colour, alpha};
    }

    // The faint light about the vanes.
    double Glow(Point p) const {
        const auto [s, v] = Local(p);
        if (s < kVaneStart || s > 1.0) return 0.0;
        const int side = v < 0 ? 0 : 1;
        const double outside = std::abs(v) - VaneWidth(s, side);
        return outside < 0.0 ? 0.0 : 0.22 * Fading(-outside / 3.0);
    }

private:
    // Side 0 faces the moon (v < 0), side 1 is away from it.
    double VaneWidth(double s, int side) const {
        const double e = (s - kVaneStart) / (1.0 - kVaneStart);
        if (e <= 0.0 || e >= 1.0) return 0.0;
        return kWidestVane[side] * std::sqrt(e) * taper_(e);
    }

    Curve taper_{[](double e) { return std::pow(1.0 - std::pow(e, 2.4), 0.6); }};
    Curve shading_{[](double edge) { return std::pow(edge, 1.3); }};
    Curve barbs_{[](double phase) { return std::cos(2.0 * std::numbers::pi * phase); }};
};

// --- The trail of light the nib writes ---

double TrailY(double x) {
    const double t = (x - kNib.x) / (kWidth - kNib.x);
    return kNib.y + 1.0 + 7.0 * std::sin(t * 9.0) * std::pow(std::max(0.0, 1.0 - t), 1.2) - 6.0 * t;
}

// The trail along one column of samples, the same for every row.
struct TrailColumn {
    bool present = false;
    double y = 0, slopeNorm = 1, half = 0, alpha = 0;  // its centre, and 1 / sqrt(1 + slope²)
};

TrailColumn Trail(double x) {
    if (x < kNib.x || x > kWidth) return {};
    const double t = (x - kNib.x) / (kWidth - kNib.x);
    const double slope = TrailY(x + 0.5) - TrailY(x - 0.5);
    return {true, TrailY(x), 1.0 / std::sqrt(1.0 + slope * slope), 0.9 * (1.0 - t) + 0.25,
            0.9 * std::pow(1.0 - t, 0.8)};
}

std::optional<Layer> TrailAt(const TrailColumn& trail, double y) {
    if (!trail.present || std::abs(y - trail.y) * trail.slopeNorm > trail.half) {
        return std::nullopt;
    }
    return Layer{{150, 196, 255}, trail.alpha};
}

// --- Putting it together ---

// The moon, the trail and the quill at one sample, back to front, as one colour and coverage.
Layer Foreground(Point p, const Quill& quill, const TrailColumn& trail) {
    Layer sum{{0, 0, 0}, 0.0};
    for (const std::optional<Layer>& hit : {Moon(p), TrailAt(trail, p.y), quill.At(p)}) {
        if (!hit || hit->alpha <= 0.0) continue;
        if (sum.alpha == 0.0) {
            sum = *hit;
            continue;
        }
        const double a = hit->alpha;
        const double combined = a + sum.alpha * (1.0 - a);
        for (int k = 0; k < 3; ++k) {
            sum.colour[k] = (hit->colour[k] * a + sum.colour[k] * sum.alpha * (1.0 - a)) / combined;
        }
        sum.alpha = combined;
    }
    return sum;
}

// What every pixel of one column shares: its centre, its factor of the moon's glow and its share
// of the darkened corners, and the trail's centre and glow there.
struct Column {
    double at, glow, vignette, trailY, trailGlow;
};

Column MakeColumn(double at) {
    const double cx = (at / kWidth - 0.5) * 2.0;
    const bool trail = at >= kNib.x && at <= kWidth;
    const double t = (at - kNib.x) / (kWidth - kNib.x);
    return {at, GlowFactor(at - kMoon.x), cx * cx, TrailY(at),
            trail ? 0.3 * std::pow(1.0 - t, 1.5) : 0.0};
}

// Whether any of the foreground may fall within a pixel centred at `centre`, `reach` design
// pixels across at most. Elsewhere only the sky is drawn, sampled once.
bool NearForeground(Point centre, double trailY, double reach) {
    if (Squared(centre.x - kMoon.x, centre.y - kMoon.y) < Squared(kMoonRadius + 2.0 * reach, 0.0)) {
        return true;
    }
    // The quill: the bare shaft below the vanes, then each vane as wide as it gets.
    const auto [s, v] = Local(centre);
    const double widest = s < kVaneStart - 0.01 ? 2.4 : kWidestVane[v < 0 ? 0 : 1];
    if (s > -0.03 * reach && s < 1.0 + 0.03 * reach && std::abs(v) < widest + 3.0 * reach) {
        return true;
    }
    return centre.x >= kNib.x - reach && std::abs(centre.y - trailY) < 3.0 * reach;
}

// An ordered dither, which hides banding in the dark gradient.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

std::uint32_t Pack(const Colour& colour, int x, int y) {
    const double dither = (kBayer[y % 4][x % 4] + 0.5) / 16.0 - 0.5;
    std::uint32_t pixel = 0;
    for (const double c : colour) {
        pixel = pixel << 8 | static_cast<std::uint32_t>(std::clamp(c + dither, 0.0, 255.0) + 0.5);
    }
    return pixel;
}

}  // namespace

void PaintBackground(std::span<std::uint32_t> pixels, int width, int height, double scale) {
    if (width <= 0 || height <= 0 || pixels.size() < static_cast<size_t>(width) * height) return;
    const double reach = std::max(1.0, 1.0 / scale);
    constexpr int n = kSupersample;
    const std::vector<Star> stars = MakeStars();
    const Quill quill;

    std::vector<Column> columns;
    std::vector<TrailColumn> trail;
    for (int x = 0; x < width; ++x) {
        columns.push_back(MakeColumn((x + 0.5) / scale));
        for (int i = 0; i < n; ++i) trail.push_back(Trail((x + (i + 0.5) / n) / scale));
    }

    std::vector<const Star*> near;
    for (int y = 0; y < height; ++y) {
        const double at = (y + 0.5) / scale;
        const double t = Clamp01(at / kHeight);
        const double cy = (at / kHeight - 0.55) * 2.0;
        const double rowGlow = GlowFactor(at - kMoon.y), rowVignette = cy * cy;
        const Colour gradient = Gradient(t);
        near.clear();
        for (const Star& star : stars) {
            if (std::abs(at - star.y) <= kStarReach) near.push_back(&star);
        }

        for (int x = 0; x < width; ++x) {
            const Column& column = columns[x];
            const Point centre{column.at, at};
            // A little more violet towards the right, and a soft glow around the moon; darker
            // corners keep the eye in the middle.
            Colour colour = Add(gradient, {10, 0, 12}, column.at / kWidth * t);
            colour = Add(colour, {70, 66, 110}, 0.55 * column.glow * rowGlow);
            colour = Times(colour, 1.0 - 0.18 * (column.vignette + rowVignette) / 2.0);
            colour = Add(colour, {235, 235, 255}, Starlight(centre, near));
            colour = Add(colour, {150, 140, 230}, quill.Glow(centre));
            const double off = (at - column.trailY) / 2.5;
            colour = Add(colour, {90, 140, 255}, column.trailGlow * Fading(-off * off));

            if (NearForeground(centre, column.trailY, reach)) {
                Colour total{0, 0, 0};
                double coverage = 0.0;
                for (int j = 0; j < n; ++j) {
                    const double sy = (y + (j + 0.5) / n) / scale;
                    for (int i = 0; i < n; ++i) {
                        const double sx = (x + (i + 0.5) / n) / scale;
                        const Layer hit = Foreground({sx, sy}, quill, trail[x * n + i]);
                        total = Add(total, hit.colour, hit.alpha);
                        coverage += hit.alpha;
                    }
                }
                if (coverage > 0.0) {
                    colour = Mix(colour, Times(total, 1.0 / coverage), Clamp01(coverage / (n * n)));
                }
            }
            pixels[static_cast<size_t>(y) * width + x] = Pack(colour, x, y);
        }
    }
}

}  // namespace quillow::art
