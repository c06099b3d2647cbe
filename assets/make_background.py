#!/usr/bin/env python3
"""Draws the panel's background picture, background.bmp: a night sky going from deep blue to
violet, a crescent moon, stars, and a quill whose nib trails a line of light.

The picture is 315 x 229 pixels, 24 bits per pixel. Only the top 29 rows sit under the panel's
buttons and reason box, so that strip is kept plain and dark; everything of interest is below
it. The right and bottom 3-pixel strips are never seen on the panel.

Plain Python 3 and deterministic: the stars come from a fixed-seed generator of its own, and
running the script again writes the same file. Usage: make_background.py [output.bmp]
"""

import math
import struct
import sys
from pathlib import Path

from drawing import clamp, smoothstep, mix, over, add

WIDTH, HEIGHT = 315, 229
SUPERSAMPLE = 4  # per axis, for the edges of the moon, the quill and the trail

# The quill, in picture coordinates: from the tip of the nib up to the tip of the feather.
NIB = (70.0, 206.0)
TIP = (250.0, 58.0)
MOON = (58.0, 78.0)
MOON_RADIUS = 15.0


class Lcg:
    """A small linear congruential generator, so the stars never depend on a library."""

    def __init__(self, seed):
        self.state = seed

    def next(self):
        self.state = (self.state * 1103515245 + 12345) % 2147483648
        return self.state / 2147483648.0


# The sky --------------------------------------------------------------------------------------

SKY_STOPS = [
    (0.00, (9, 12, 36)),
    (0.20, (12, 17, 52)),
    (0.55, (30, 28, 88)),
    (0.85, (58, 36, 108)),
    (1.00, (74, 40, 112)),
]


def sky(x, y):
    t = clamp(y / HEIGHT)
    for (t0, c0), (t1, c1) in zip(SKY_STOPS, SKY_STOPS[1:]):
        if t <= t1:
            colour = mix(c0, c1, (t - t0) / (t1 - t0))
            break
    # A little more violet towards the right, and a soft glow around the moon.
    colour = add(colour, (10, 0, 12), x / WIDTH * t)
    d = math.hypot(x - MOON[0], y - MOON[1])
    colour = add(colour, (70, 66, 110), 0.55 * math.exp(-((d / 42.0) ** 2)))
    # Darker corners keep the eye in the middle.
    cx, cy = (x / WIDTH - 0.5) * 2.0, (y / HEIGHT - 0.55) * 2.0
    return tuple(c * (1.0 - 0.18 * (cx * cx + cy * cy) / 2.0) for c in colour)


def make_stars():
    rng = Lcg(20240611)
    stars = []
    while len(stars) < 70:
        x, y = rng.next() * WIDTH, 34.0 + rng.next() * (HEIGHT - 40.0)
        brightness = 0.35 + 0.65 * rng.next() ** 2.5
        if math.hypot(x - MOON[0], y - MOON[1]) < MOON_RADIUS + 10.0:
            continue
        stars.append((x, y, brightness, 0))
    # A few brighter ones with a four-pointed glint.
    for x, y in ((118.0, 58.0), (286.0, 118.0), (30.0, 150.0), (182.0, 40.0), (228.0, 190.0)):
        stars.append((x, y, 1.0, 1))
    return stars


def starlight(x, y, stars):
    light = 0.0
    for sx, sy, brightness, glint in stars:
        dx, dy = x - sx, y - sy
        if abs(dx) > 6.0 or abs(dy) > 6.0:
            continue
        light += brightness * math.exp(-(dx * dx + dy * dy) / 0.35)
        if glint:
            light += 0.55 * math.exp(-(dx * dx) / 0.12 - abs(dy) / 1.6)
            light += 0.55 * math.exp(-(dy * dy) / 0.12 - abs(dx) / 1.6)
    return light


# The moon -------------------------------------------------------------------------------------


def moon(x, y):
    """Colour and coverage of the crescent at one sample."""
    d = math.hypot(x - MOON[0], y - MOON[1])
    inside = d < MOON_RADIUS
    bite = math.hypot(x - (MOON[0] + 7.0), y - (MOON[1] - 4.0)) < MOON_RADIUS - 1.5
    if not inside or bite:
        return None
    shade = 0.9 + 0.1 * (1.0 - d / MOON_RADIUS)
    return tuple(c * shade for c in (246, 240, 214)), 1.0


# The quill ------------------------------------------------------------------------------------

AXIS = (TIP[0] - NIB[0], TIP[1] - NIB[1])
LENGTH = math.hypot(*AXIS)
ALONG = (AXIS[0] / LENGTH, AXIS[1] / LENGTH)
ACROSS = (-ALONG[1], ALONG[0])  # towards the lower right

VANE_START = 0.22  # fraction of the length where the vanes begin
BARB_SLANT = 0.85  # barbs run outwards and towards the tip
BARB_SPACING = 2.6


def local(x, y):
    """Position along the quill (0 at the nib, 1 at the tip) and across it, in pixels,
    measured from its gently bowed shaft."""
    px, py = x - NIB[0], y - NIB[1]
    s = (px * ALONG[0] + py * ALONG[1]) / LENGTH
    v = px * ACROSS[0] + py * ACROSS[1]
    return s, v + 42.0 * s * (1.0 - s)  # the shaft bows towards the upper left


def vane_width(s, side):
    e = (s - VANE_START) / (1.0 - VANE_START)
    if e <= 0.0 or e >= 1.0:
        return 0.0
    widest = 28.0 if side < 0 else 18.0
    return widest * e**0.5 * (1.0 - e**2.4) ** 0.6


def split(u, across, width, centre):
    """True inside one of the small notches where barbs have parted at a vane's edge."""
    line = u - BARB_SLANT * across
    depth = across / width - 0.55
    return depth > 0.0 and abs(line - centre) < 0.3 + 5.0 * depth * depth


def quill(x, y):
    """Colour and coverage of the quill at one sample, or None where there is none."""
    s, v = local(x, y)
    if s < -0.01 or s > 1.01:
        return None
    u = s * LENGTH
    across = abs(v)

    # The nib: a dark, pointed tip with a line of light along its slit.
    if s < 0.07:
        half = 2.4 * s / 0.07
        if across > half:
            return None
        return (mix((40, 36, 70), (150, 170, 230), 0.6 if across < 0.35 else 0.0)), 1.0

    # The shaft, bare below the vanes and narrowing to the tip.
    shaft = 2.3 if s < VANE_START else 2.3 * (1.0 - s) / (1.0 - VANE_START) + 0.35
    if across <= shaft * 0.5:
        return mix((255, 252, 240), (226, 220, 236), s), 1.0

    side = -1 if v < 0 else 1
    width = vane_width(s, side)
    if across > width:
        return None
    if side < 0 and split(u, across, width, 0.55 * LENGTH):
        return None
    if side > 0 and split(u, across, width, 0.71 * LENGTH):
        return None

    edge = across / width
    colour = mix((240, 236, 252), (160, 160, 226), edge**1.3)
    if side > 0:
        colour = tuple(c * 0.86 for c in colour)  # away from the moon
    # The barbs: fine slanted lines across the vane.
    phase = (u - BARB_SLANT * across) / BARB_SPACING
    colour = tuple(c * (0.9 + 0.1 * math.cos(2.0 * math.pi * phase)) for c in colour)
    # Soft at the edge, and downy where the vanes begin.
    alpha = (1.0 - smoothstep(0.82, 1.0, edge)) * 0.95
    alpha *= smoothstep(VANE_START, VANE_START + 0.1, s) * 0.75 + 0.25 * (edge < 0.6)
    return colour, alpha


def trail_glow(x, y):
    if x < NIB[0] or x > WIDTH:
        return 0.0
    t = (x - NIB[0]) / (WIDTH - NIB[0])
    return 0.3 * (1.0 - t) ** 1.5 * math.exp(-(((y - trail_y(x)) / 2.5) ** 2))


def quill_glow(x, y):
    s, v = local(x, y)
    if s < VANE_START or s > 1.0:
        return 0.0
    width = vane_width(s, -1 if v < 0 else 1)
    outside = abs(v) - width
    if outside < 0.0:
        return 0.0
    return 0.22 * math.exp(-outside / 3.0)


# The trail of light the nib writes ------------------------------------------------------------


def trail_y(x):
    t = (x - NIB[0]) / (WIDTH - NIB[0])
    return NIB[1] + 1.0 + 7.0 * math.sin(t * 9.0) * max(0.0, 1.0 - t) ** 1.2 - 6.0 * t


def trail(x, y):
    if x < NIB[0] or x > WIDTH:
        return None
    t = (x - NIB[0]) / (WIDTH - NIB[0])
    # Distance to the curve, corrected for its slope.
    slope = (trail_y(x + 0.5) - trail_y(x - 0.5))
    distance = abs(y - trail_y(x)) / math.sqrt(1.0 + slope * slope)
    half = 0.9 * (1.0 - t) + 0.25
    if distance > half:
        return None
    return (150, 196, 255), 0.9 * (1.0 - t) ** 0.8


# Putting it together --------------------------------------------------------------------------


def sample_layers(x, y):
    """The foreground at one sample, as a colour over the sky and its coverage."""
    colour, alpha = (0.0, 0.0, 0.0), 0.0
    for layer in (moon, trail, quill):  # back to front
        hit = layer(x, y)
        if hit is None or hit[1] <= 0.0:
            continue
        c, a = hit
        combined = a + alpha * (1.0 - a)
        colour = tuple((ci * a + bi * alpha * (1.0 - a)) / combined for ci, bi in zip(c, colour))
        alpha = combined
    return colour, alpha


def needs_supersampling(x, y):
    cx, cy = x + 0.5, y + 0.5
    if math.hypot(cx - MOON[0], cy - MOON[1]) < MOON_RADIUS + 2.0:
        return True
    s, v = local(cx, cy)
    if -0.03 < s < 1.03 and abs(v) < 31.0:
        return True
    return cx >= NIB[0] - 1 and abs(cy - trail_y(cx)) < 3.0


BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def render():
    stars = make_stars()
    rows = []
    for y in range(HEIGHT):
        row = []
        for x in range(WIDTH):
            cx, cy = x + 0.5, y + 0.5
            colour = sky(cx, cy)
            colour = add(colour, (235, 235, 255), starlight(cx, cy, stars))
            colour = add(colour, (150, 140, 230), quill_glow(cx, cy))
            colour = add(colour, (90, 140, 255), trail_glow(cx, cy))
            if needs_supersampling(x, y):
                n = SUPERSAMPLE
                total, coverage = [0.0, 0.0, 0.0], 0.0
                for j in range(n):
                    for i in range(n):
                        c, a = sample_layers(x + (i + 0.5) / n, y + (j + 0.5) / n)
                        for k in range(3):
                            total[k] += c[k] * a
                        coverage += a
                if coverage > 0.0:
                    mean = tuple(t / coverage for t in total)
                    colour = over(colour, mean, coverage / (n * n))
            # Ordered dither hides banding in the dark gradient.
            dither = (BAYER[y % 4][x % 4] + 0.5) / 16.0 - 0.5
            row.append(tuple(int(clamp(c + dither, 0.0, 255.0) + 0.5) for c in colour))
        rows.append(row)
    return rows


def write_bmp(path, rows):
    stride = (WIDTH * 3 + 3) & ~3
    image = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((min(b, 255), min(g, 255), min(r, 255)))
        line += bytes(stride - len(line))
        image += line
    pixels_per_metre = 3780  # 96 dpi
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(image), pixels_per_metre,
                       pixels_per_metre, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(image), 0, 0, 14 + len(info))
    Path(path).write_bytes(header + info + image)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else Path(__file__).with_name("background.bmp")
    write_bmp(out, render())


if __name__ == "__main__":
    main()
