"""The constellation dot picture the meter stores beside a CONSTEL values file.

5018 bytes, no header: 26 byte columns of 193 bytes each, one byte per pixel
row, top row first. Byte column c, row r covers the screen pixels
x = 120 + 8c .. 127 + 8c on y = 26 + r; bit 7 is the leftmost pixel and a set
bit is a black dot. The plot square spans x 124..316, y 26..218 with its
centre at (220, 122); the dots are kept strictly inside it.
"""

import math
import random

BYTE_COLUMNS = 26
ROWS = 193
PICTURE_SIZE = BYTE_COLUMNS * ROWS  # 5018
LEFT, TOP = 120, 26
CENTRE_X, CENTRE_Y = 220, 122
INSIDE = (125, 27, 315, 217)  # first and last x, y strictly inside the square

# Points per axis, the distance between neighbouring points in pixels and
# the symbols plotted (enough for every point to show a cloud).
# 64QAM sits in the middles of the 8 x 8 grid cells (24 pixels apart).
MODULATIONS = {
    "QPSK": (2, 96, 2000),
    "16QAM": (4, 48, 2000),
    "64QAM": (8, 24, 3000),
    "256QAM": (16, 12, 8000),
}


def ideal_points(modulation):
    per_axis, spacing, _ = MODULATIONS[modulation]
    offsets = [spacing * (i - (per_axis - 1) / 2) for i in range(per_axis)]
    return [(i, q) for i in offsets for q in offsets]


def noise_sigma(modulation, mer_db):
    """Per-axis noise in pixels that gives the modulation the MER mer_db."""
    points = ideal_points(modulation)
    mean_power = sum(i * i + q * q for i, q in points) / len(points)
    return math.sqrt(mean_power / (2 * 10 ** (mer_db / 10)))


def received_symbols(modulation, mer_db, count, rng, phase_jitter_deg=0.4):
    """Symbols as the meter would plot them: ideal point, a little phase
    jitter and Gaussian noise of the MER's power."""
    points = ideal_points(modulation)
    sigma = noise_sigma(modulation, mer_db)
    for _ in range(count):
        i, q = rng.choice(points)
        angle = math.radians(rng.gauss(0.0, phase_jitter_deg))
        i, q = i * math.cos(angle) - q * math.sin(angle), i * math.sin(angle) + q * math.cos(angle)
        yield CENTRE_X + i + rng.gauss(0.0, sigma), CENTRE_Y - q + rng.gauss(0.0, sigma)


def picture_bytes(dots):
    """Packs pixel positions (x, y) into the meter's 1-bit layout; dots
    outside the plot square are left out."""
    picture = bytearray(PICTURE_SIZE)
    first_x, first_y, last_x, last_y = INSIDE
    for x, y in dots:
        x, y = round(x), round(y)
        if first_x <= x <= last_x and first_y <= y <= last_y:
            column, bit = divmod(x - LEFT, 8)
            picture[column * ROWS + (y - TOP)] |= 0x80 >> bit
    return bytes(picture)


def constellation_picture(modulation, mer_db, seed):
    rng = random.Random(seed)
    symbols = MODULATIONS[modulation][2]
    return picture_bytes(received_symbols(modulation, mer_db, symbols, rng))


def picture_as_text(picture):
    """The picture as rows of '#' and '.', for a look without the viewer."""
    rows = []
    for r in range(ROWS):
        row = ""
        for c in range(BYTE_COLUMNS):
            byte = picture[c * ROWS + r]
            row += "".join("#" if byte & (0x80 >> b) else "." for b in range(8))
        rows.append(row)
    return "\n".join(rows)
