"""Colour arithmetic for make_icon.py, which draws the program's icon. (The panel's picture,
which the icon makes small, is painted by the program itself: panel/background_art.cpp.)

Colours are tuples of floats, 0 to 255 per channel; the script rounds them when it writes.
"""


def clamp(x, lo=0.0, hi=1.0):
    return lo if x < lo else hi if x > hi else x


def smoothstep(edge0, edge1, x):
    t = clamp((x - edge0) / (edge1 - edge0))
    return t * t * (3.0 - 2.0 * t)


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def add(base, colour, amount):
    return tuple(x + y * amount for x, y in zip(base, colour))
