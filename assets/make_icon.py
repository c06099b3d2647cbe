#!/usr/bin/env python3
"""Draws the program's icon, quillow.ico: the panel's picture made small, a quill on a tile
of night sky, with the crescent moon above it and the nib's line of light below.

Seven images: 16, 20, 24, 32, 40 and 48 pixels as 32-bit bitmaps with an alpha channel and the
one-bit mask (the kind Windows XP reads), and 256 pixels PNG-compressed (Vista and later).
Each size is drawn afresh rather than scaled down from a big one: the small ones keep only
what still reads at their size (the tile, the quill, the moon), and their edges fall on whole
pixels.

Plain Python 3 and deterministic: running the script again writes the same file.
Usage: make_icon.py [output.ico]
"""

import math
import struct
import sys
import zlib
from pathlib import Path

from drawing import clamp, smoothstep, mix, add

SIZES = (16, 20, 24, 32, 40, 48, 256)
PNG_FROM = 256  # sizes from this one up are stored as PNG

# The drawing, in units of the icon's side (0 to 1, y downwards). The quill runs from its nib
# at the lower left to the tip of its feather at the upper right, as in the panel's picture.
NIB = (0.17, 0.86)
TIP = (0.86, 0.13)
MOON = (0.30, 0.29)
MOON_RADIUS = 0.145
CORNER = 0.2  # the tile's corner radius

SKY_STOPS = [
    (0.00, (16, 22, 66)),
    (0.45, (34, 34, 104)),
    (1.00, (88, 48, 132)),
]


class Icon:
    """One size of the icon: what is drawn at a point, in that size's units."""

    def __init__(self, size):
        self.size = size
        self.px = 1.0 / size
        # A whole number of transparent pixels around the tile, so its edges are crisp.
        self.margin = round(size / 32) * self.px
        self.detailed = size >= 32  # stars, barbs and the trail read from here up
        self.bold = clamp((48 - size) / 32)  # 1 at 16 px, 0 from 48 px up: how much to thicken
        axis = (TIP[0] - NIB[0], TIP[1] - NIB[1])
        self.length = math.hypot(*axis)
        self.along = (axis[0] / self.length, axis[1] / self.length)
        self.across = (-self.along[1], self.along[0])  # towards the lower right

    # The tile ---------------------------------------------------------------------------------

    def tile(self, x, y):
        """Signed distance to the tile's rounded edge, negative inside."""
        lo, hi = self.margin, 1.0 - self.margin
        radius = CORNER * (hi - lo)
        dx = max(lo + radius - x, x - (hi - radius), 0.0)
        dy = max(lo + radius - y, y - (hi - radius), 0.0)
        if dx > 0.0 and dy > 0.0:
            return math.hypot(dx, dy) - radius
        return max(lo - x, x - hi, lo - y, y - hi)

    def sky(self, x, y):
        t = clamp((y - self.margin) / (1.0 - 2.0 * self.margin))
        for (t0, c0), (t1, c1) in zip(SKY_STOPS, SKY_STOPS[1:]):
            if t <= t1:
                colour = mix(c0, c1, (t - t0) / (t1 - t0))
                break
        d = math.hypot(x - MOON[0], y - MOON[1])
        colour = add(colour, (70, 66, 120), 0.5 * math.exp(-((d / 0.28) ** 2)))
        if self.detailed:
            colour = add(colour, (235, 235, 255), self.starlight(x, y))
        return colour

    def starlight(self, x, y):
        light = 0.0
        for sx, sy, brightness in ((0.62, 0.20, 1.0), (0.83, 0.52, 0.8), (0.12, 0.58, 0.7),
                                   (0.50, 0.42, 0.5), (0.70, 0.80, 0.6)):
            dx, dy = (x - sx) / self.px, (y - sy) / self.px
            if abs(dx) > 4.0 or abs(dy) > 4.0:
                continue
            light += brightness * math.exp(-(dx * dx + dy * dy) / 0.5)
            if brightness == 1.0 and self.size >= 48:  # the brightest one glints
                light += 0.5 * math.exp(-(dx * dx) / 0.15 - abs(dy) / 1.4)
                light += 0.5 * math.exp(-(dy * dy) / 0.15 - abs(dx) / 1.4)
        return light

    def rim(self, distance):
        """A faint lighter line just inside the edge, so the dark tile stands apart from a dark
        taskbar."""
        inside = -distance / self.px
        return 0.35 * clamp(1.0 - abs(inside - 0.5)) if inside < 1.5 else 0.0

    # The moon ---------------------------------------------------------------------------------

    def moon(self, x, y):
        # Further into the corner when small, so that it keeps clear of the feather.
        cx, cy = MOON[0] - 0.04 * self.bold, MOON[1] - 0.05 * self.bold
        d = math.hypot(x - cx, y - cy)
        radius = MOON_RADIUS * (1.0 + 0.2 * self.bold)
        # A fuller crescent when small, so that it is more than a sliver of a pixel.
        offset = 0.45 + 0.2 * self.bold
        bite = math.hypot(x - (cx + offset * radius), y - (cy - 0.7 * offset * radius))
        if d >= radius or bite < (0.86 - 0.06 * self.bold) * radius:
            return None
        return mix((255, 248, 220), (236, 226, 190), d / radius), 1.0

    # The quill --------------------------------------------------------------------------------

    def local(self, x, y):
        """Position along the quill (0 at the nib, 1 at the tip) and across it, measured from
        its gently bowed shaft, in units of the icon's side."""
        px, py = x - NIB[0], y - NIB[1]
        s = (px * self.along[0] + py * self.along[1]) / self.length
        v = px * self.across[0] + py * self.across[1]
        return s, v + 0.12 * s * (1.0 - s)  # the shaft bows towards the upper left

    def vane_width(self, s, side):
        start = 0.2
        e = (s - start) / (1.0 - start)
        if e <= 0.0 or e >= 1.0:
            return 0.0
        widest = (0.15 if side < 0 else 0.095) * (1.0 + 0.4 * self.bold)
        return widest * e**0.5 * (1.0 - e**2.2) ** 0.6

    def quill(self, x, y):
        s, v = self.local(x, y)
        if s < 0.0 or s > 1.0:
            return None
        across = abs(v)

        # The nib: a pointed tip of pale blue, widening into the bare shaft.
        shaft = max(0.045, 1.4 * self.px) * (1.0 - 0.7 * smoothstep(0.3, 1.0, s))
        if s < 0.12:
            if across > shaft * 0.5 * s / 0.12:
                return None
            return (176, 200, 255), 1.0
        if across <= shaft * 0.5:
            return mix((255, 253, 244), (232, 228, 250), s), 1.0

        side = -1 if v < 0 else 1
        width = self.vane_width(s, side)
        if across > width:
            return None
        u = s * self.length
        if self.size >= 64 and self.parted(u, across, width, side):
            return None
        edge = across / width
        colour = mix((246, 242, 255), (176, 170, 236), edge**1.4)
        if side > 0:
            colour = tuple(c * 0.84 for c in colour)  # the side away from the moon
        if self.detailed:
            # The barbs: fine slanted lines across the vane, about three pixels apart.
            phase = (u - 0.85 * across) / (3.0 * self.px * max(1.0, self.size / 64))
            colour = tuple(c * (0.95 + 0.05 * math.cos(2.0 * math.pi * phase)) for c in colour)
        return colour, 1.0

    def parted(self, u, across, width, side):
        """True inside the small notch where barbs have parted at a vane's edge."""
        centre = (0.56 if side < 0 else 0.74) * self.length
        depth = across / width - 0.5
        line = u - 0.85 * across
        return depth > 0.0 and abs(line - centre) < 0.4 * self.px + 0.25 * depth * depth

    # The line of light the nib writes ---------------------------------------------------------

    def trail(self, x, y):
        if not self.detailed or x < NIB[0] or x > 1.0 - self.margin:
            return None
        t = (x - NIB[0]) / (1.0 - self.margin - NIB[0])
        centre = NIB[1] + 0.012 + 0.03 * math.sin(t * 7.0) * (1.0 - t) - 0.05 * t
        half = max(0.012, 0.55 * self.px) * (1.0 - 0.5 * t)
        if abs(y - centre) > half:
            return None
        return (150, 196, 255), 0.95 * (1.0 - t) ** 0.7

    # Putting it together ----------------------------------------------------------------------

    def sample(self, x, y):
        """Colour and coverage at one sample."""
        distance = self.tile(x, y)
        if distance > 0.0:
            return (0.0, 0.0, 0.0), 0.0
        colour = self.sky(x, y)
        colour = add(colour, (150, 140, 230), self.rim(distance))
        for layer in (self.moon, self.trail, self.quill):  # back to front
            hit = layer(x, y)
            if hit is not None:
                colour = mix(colour, hit[0], hit[1])
        return colour, 1.0

    def render(self):
        """Rows of (red, green, blue, alpha) bytes, top first."""
        n = max(2, -(-128 // self.size))  # samples per pixel and axis
        rows = []
        for j in range(self.size):
            row = []
            for i in range(self.size):
                total, coverage = [0.0, 0.0, 0.0], 0.0
                for b in range(n):
                    for a in range(n):
                        c, alpha = self.sample((i + (a + 0.5) / n) * self.px,
                                               (j + (b + 0.5) / n) * self.px)
                        for k in range(3):
                            total[k] += c[k] * alpha
                        coverage += alpha
                if coverage == 0.0:
                    row.append((0, 0, 0, 0))
                    continue
                rgb = tuple(int(clamp(t / coverage, 0.0, 255.0) + 0.5) for t in total)
                row.append(rgb + (int(255.0 * coverage / (n * n) + 0.5),))
            rows.append(row)
        return rows


# The file ---------------------------------------------------------------------------------------


def bitmap_entry(rows):
    """A 32-bit bottom-up bitmap with its alpha, then the mask: a pixel is left to the screen
    where it is wholly transparent, which is what Windows without alpha blending goes by."""
    size = len(rows)
    info = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for i, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[i // 8] |= 0x80 >> (i % 8)
        mask += line
    return info + pixels + mask


def png_entry(rows):
    size = len(rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = bytearray()
    for row in rows:
        line = bytes(b for pixel in row for b in pixel)
        raw.append(1)  # each byte less the one a pixel to its left: about a quarter smaller
        raw += bytes((line[i] - (line[i - 4] if i >= 4 else 0)) & 0xFF for i in range(len(line)))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) +
            chunk(b"IEND", b""))


def write_ico(path, images):
    entries = [(size, png_entry(rows) if size >= PNG_FROM else bitmap_entry(rows))
               for size, rows in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(entries)))
    offset = 6 + 16 * len(entries)
    for size, data in entries:
        side = size if size < 256 else 0  # 0 stands for 256
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in entries:
        out += data
    Path(path).write_bytes(bytes(out))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else Path(__file__).with_name("quillow.ico")
    write_ico(out, [(size, Icon(size).render()) for size in SIZES])


if __name__ == "__main__":
    main()
