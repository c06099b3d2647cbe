"""Colour arithmetic shared by the scripts that draw the panel's picture and the program's icon.

Colours are tuples of floats, 0 to 255 per channel; the scripts round them when they write.
"""


def clamp(x, lo=0.0, hi=1.0):
    return lo if x < lo else hi if x > hi else x


def smoothstep(edge0, edge1, x):
    t = clamp((x - edge0) / (edge1 - edge0))
    return t * t * (3.0 - 2.0 * t)


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def over(base, colour, alpha):
    return mix(base, colour, clamp(alpha))


def add(base, colour, amount):
    return tuple(x + y * amount for x, y in zip(base, colour))
