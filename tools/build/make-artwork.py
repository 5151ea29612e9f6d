#!/usr/bin/env python3
"""Draws the notice window's artwork: the skin and the OK button's three looks.

Usage: make-artwork.py OUTPUT_DIR

Writes skin.bmp (400 x 190) and button_raised.bmp, button_sunken.bmp,
button_focused.bmp (75 x 27), all uncompressed 24-bit bottom-up Windows bitmaps.
The pictures are computed here pixel by pixel, so the repository holds no binary
artwork. Every colour rule the window relies on is checked before a file is
written: the skin's see-through outline, and the three pixels of the button's
transparent colour.
"""

import os
import struct
import sys

# The colour the window is keyed on: every pixel outside the panel, and the
# bottom-left pixel, which the window takes as its transparent colour.
KEY = (255, 126, 241)
# The panel's main colour; the button's top corners are drawn in it so that
# they blend into the panel around the button.
PANEL = (232, 232, 238)
# The button's transparent colour (TransparentColor 13946831 = 0xD4CFCF).
BUTTON_KEY = (207, 207, 212)

SKIN_WIDTH, SKIN_HEIGHT = 400, 190
BUTTON_WIDTH, BUTTON_HEIGHT = 75, 27


def skin_outline():
    """See-through pixels at the left and right end of every row, counted from the top.

    None marks a row that is see-through from end to end.
    """
    runs = {}
    for row in list(range(0, 6)) + list(range(184, 190)):
        runs[row] = None

    def side(rows, left, right=None):
        for row in rows:
            runs[row] = (left, left if right is None else right)

    side([6], 26)
    side([7], 23)
    side([8], 21)
    side([9], 20)
    side([10], 18)
    side([11], 17)
    side([12], 16)
    side([13], 15)
    side([14], 14)
    side([15], 13)
    side([16], 12)
    side([17], 11)
    side([18], 10)
    side([19], 9)
    side([20, 21], 8)
    side([22], 7)
    side([23, 24], 6)
    side([25, 26], 5)
    side([27], 5, 4)
    side(range(28, 161), 4)
    side([161, 162], 5)
    side([163, 164], 6)
    side([165], 7)
    side([166, 167], 8)
    side([168], 9)
    side([169, 170], 10)
    side([171], 11)
    side([172], 12)
    side([173], 13)
    side([174], 14)
    side([175], 15)
    side([176], 16)
    side([177], 17)
    side([178], 18)
    side([179], 19)
    side([180], 20)
    side([181], 22)
    side([182], 24)
    side([183], 26)
    assert sorted(runs) == list(range(SKIN_HEIGHT))
    return [runs[row] for row in range(SKIN_HEIGHT)]


class Picture:
    """A width x height grid of RGB triples, row 0 at the top."""

    def __init__(self, width, height, fill):
        self.width = width
        self.height = height
        self.rows = [[fill] * width for _ in range(height)]

    def get(self, x, y):
        return self.rows[y][x]

    def put(self, x, y, colour):
        self.rows[y][x] = colour

    def count(self, colour):
        return sum(row.count(colour) for row in self.rows)

    def bmp_bytes(self):
        """The picture as a Windows bitmap file: 24 bits per pixel, rows bottom-up."""
        stride = (self.width * 3 + 3) & ~3
        pixels = bytearray()
        for row in reversed(self.rows):
            line = bytearray()
            for r, g, b in row:
                line += bytes((b, g, r))
            line += bytes(stride - len(line))
            pixels += line
        offset = 14 + 40
        file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
        info_header = struct.pack(
            "<IiiHHIIiiII",
            40,  # header size: BITMAPINFOHEADER
            self.width,
            self.height,  # positive: bottom-up rows
            1,  # planes
            24,  # bits per pixel
            0,  # BI_RGB, uncompressed
            len(pixels),
            3780,  # 96 dots per inch, in pixels per metre
            3780,
            0,
            0,
        )
        return file_header + info_header + bytes(pixels)


def mix(a, b, t):
    """The colour a fraction t of the way from a to b."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def draw_skin():
    outline = skin_outline()
    skin = Picture(SKIN_WIDTH, SKIN_HEIGHT, KEY)

    def inside(x, y):
        if not (0 <= x < SKIN_WIDTH and 0 <= y < SKIN_HEIGHT):
            return False
        run = outline[y]
        return run is not None and run[0] <= x < SKIN_WIDTH - run[1]

    # Distance of every panel pixel from the outside, by layers: 1 is the rim.
    depth = {}
    layer = [
        (x, y)
        for y in range(SKIN_HEIGHT)
        for x in range(SKIN_WIDTH)
        if inside(x, y)
        and any(not inside(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
    ]
    for level in (1, 2, 3):
        for pixel in layer:
            depth[pixel] = level
        following = set()
        for x, y in layer:
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                neighbour = (x + dx, y + dy)
                if inside(*neighbour) and neighbour not in depth:
                    following.add(neighbour)
        layer = sorted(following)

    rim = (150, 150, 162)
    highlight = (252, 252, 254)
    shade = (212, 212, 220)
    soft_highlight = (242, 242, 247)
    soft_shade = (223, 223, 230)
    for y in range(SKIN_HEIGHT):
        for x in range(SKIN_WIDTH):
            if not inside(x, y):
                continue
            level = depth.get((x, y))
            if level == 1:
                colour = rim
            elif level in (2, 3):
                # Light falls from the top left: the inner bevel is light where the
                # rim lies above or to the left, shaded where it lies below or right.
                lit = depth.get((x, y - 1), 9) < level or depth.get((x - 1, y), 9) < level
                if level == 2:
                    colour = highlight if lit else shade
                else:
                    colour = soft_highlight if lit else soft_shade
            else:
                colour = PANEL
            skin.put(x, y, colour)

    # A thin engraved line under the area of the message, a little above the button.
    for x in range(32, SKIN_WIDTH - 32):
        if skin.get(x, 131) == PANEL:
            skin.put(x, 131, (214, 214, 222))
            skin.put(x, 132, (247, 247, 250))

    check_skin(skin, outline)
    return skin


def check_skin(skin, outline):
    for y, run in enumerate(outline):
        row = skin.rows[y]
        if run is None:
            assert all(pixel == KEY for pixel in row), "row %d must be see-through" % y
            continue
        left, right = run
        expected = [KEY] * left + [None] * (SKIN_WIDTH - left - right) + [KEY] * right
        for x, want in enumerate(expected):
            if want is None:
                assert row[x] != KEY, "panel pixel (%d, %d) has the key colour" % (x, y)
            else:
                assert row[x] == KEY, "pixel (%d, %d) must be see-through" % (x, y)
    assert skin.get(0, SKIN_HEIGHT - 1) == KEY


def draw_button(look):
    """One look of the OK button: 'raised', 'sunken' or 'focused'."""
    w, h = BUTTON_WIDTH, BUTTON_HEIGHT
    button = Picture(w, h, PANEL)
    # The body is x 0..73, y 0..25 with its corners rounded off; a soft drop
    # shadow lies one pixel to the right and below it.
    right, bottom = w - 2, h - 2
    shadow = (196, 196, 204)

    def on_body(x, y):
        corner = x in (0, right) and y in (0, bottom)
        return 0 <= x <= right and 0 <= y <= bottom and not corner

    for y in range(1, h):
        for x in range(1, w):
            if on_body(x - 1, y - 1) and not on_body(x, y):
                button.put(x, y, shadow)

    if look == "sunken":
        face_top, face_bottom = (200, 201, 210), (216, 216, 224)
        light, dark = (250, 250, 253), (120, 120, 134)
        first_bevel, second_bevel = dark, light
        inner_first, inner_second = (176, 176, 188), (226, 226, 233)
    else:
        face_top, face_bottom = (248, 248, 251), (222, 222, 229)
        light, dark = (255, 255, 255), (120, 120, 134)
        first_bevel, second_bevel = light, dark
        inner_first, inner_second = (244, 244, 248), (190, 190, 200)
    frame = (96, 96, 110)

    for y in range(bottom + 1):
        for x in range(right + 1):
            if not on_body(x, y):
                continue
            edge = x in (0, right) or y in (0, bottom)
            if edge:
                colour = frame
            elif x == 1 or y == 1:
                colour = first_bevel
            elif x == right - 1 or y == bottom - 1:
                colour = second_bevel
            elif x == 2 or y == 2:
                colour = inner_first
            elif x == right - 2 or y == bottom - 2:
                colour = inner_second
            else:
                colour = mix(face_top, face_bottom, (y - 3) / float(bottom - 6))
            button.put(x, y, colour)

    if look == "focused":
        # A blue frame with a pale glow just inside it marks the focused button.
        glow = (150, 185, 240)
        for y in range(bottom + 1):
            for x in range(right + 1):
                if not on_body(x, y):
                    continue
                if x in (0, right) or y in (0, bottom):
                    button.put(x, y, (40, 96, 200))
                elif x in (1, right - 1) or y in (1, bottom - 1):
                    button.put(x, y, glow)

    # The three pixels of the transparent colour: two at the bottom-left corner,
    # one at the bottom-right end of the shadow.
    for x in (0, 1, w - 2):
        button.put(x, h - 1, BUTTON_KEY)
    button.put(w - 1, h - 1, PANEL)

    assert button.count(BUTTON_KEY) == 3, "%s: stray transparent pixels" % look
    assert button.get(0, 0) == PANEL and button.get(w - 1, 0) == PANEL
    return button


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make-artwork.py OUTPUT_DIR\n")
        return 2
    folder = argv[1]
    os.makedirs(folder, exist_ok=True)
    pictures = {"skin.bmp": draw_skin()}
    for look in ("raised", "sunken", "focused"):
        pictures["button_%s.bmp" % look] = draw_button(look)
    looks = [pictures["button_%s.bmp" % look].rows for look in ("raised", "sunken", "focused")]
    assert looks[0] != looks[1] and looks[1] != looks[2] and looks[0] != looks[2]
    for name, picture in sorted(pictures.items()):
        path = os.path.join(folder, name)
        data = picture.bmp_bytes()
        # Write through a temporary name so that a build never sees half a file.
        with open(path + ".tmp", "wb") as out:
            out.write(data)
        os.replace(path + ".tmp", path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
