#!/usr/bin/env python3
"""Draws the control gallery's artwork: its background and every look of its controls.

Usage: make-gallery-artwork.py OUTPUT_DIR

Writes uncompressed 24-bit bottom-up Windows bitmaps, then gallery-artwork.stamp with
their names. Like
the notice window's artwork (make-artwork.py, whose picture and bitmap writer this
script shares), every picture is computed here pixel by pixel, so the repository holds
no binary artwork. The rules the gallery and its tests rely on are checked before a
file is written: the background's corner marker appears nowhere else, the looks of a
control differ from each other, and the round button's transparent colour lies only
outside its disc.
"""

import importlib.util
import math
import os
import sys

_here = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location("make_artwork", os.path.join(_here, "make-artwork.py"))
make_artwork = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(make_artwork)
Picture = make_artwork.Picture
mix = make_artwork.mix

# The gallery's client area, which the background fills.
BACK_WIDTH, BACK_HEIGHT = 640, 380
# Four pixels at the background's top-left corner that a test looks for on the screen to
# find the form: colours that nothing else in the gallery uses.
MARKER = [(1, 2, 3), (254, 1, 253), (3, 250, 5), (250, 4, 2)]
BACK_TOP, BACK_BOTTOM = (226, 230, 238), (204, 210, 222)
CARD = (240, 242, 247)
CARD_EDGE = (170, 176, 192)
# The cards behind the groups of controls: (left, top, right, bottom), right and bottom
# exclusive. The form description places the controls on them.
CARDS = [
    (8, 8, 300, 100),  # buttons
    (308, 8, 470, 100),  # check box
    (478, 8, 632, 100),  # shaped button
    (8, 108, 470, 176),  # bricks
    (8, 184, 470, 260),  # horizontal bar and its display
    (478, 108, 632, 260),  # vertical bar
    (8, 268, 632, 372),  # clock and date
]

# The round button's transparent colour: the corners of its square.
ROUND_KEY = (255, 0, 255)
ROUND_SIZE = 64
ROUND_RADIUS = 30

# Sizes of the other controls' bitmaps.
ICON_SIZE = 40
TEXT_BUTTON = (100, 30)
BRICK = (64, 32)
TEXT_BRICK = (120, 32)
CHECK_SIZE = 20
HBAR = (180, 24)
VBAR = (24, 124)
HKNOB = (12, 20)
VKNOB = (20, 12)


def fill(picture, left, top, right, bottom, colour):
    for y in range(max(top, 0), min(bottom, picture.height)):
        for x in range(max(left, 0), min(right, picture.width)):
            picture.put(x, y, colour)


def frame(picture, left, top, right, bottom, colour):
    for x in range(left, right):
        picture.put(x, top, colour)
        picture.put(x, bottom - 1, colour)
    for y in range(top, bottom):
        picture.put(left, y, colour)
        picture.put(right - 1, y, colour)


def rounded(x, y, width, height, radius):
    """True when (x, y) lies on a width x height box whose corners are cut off."""
    for cx, cy in ((radius, radius), (width - 1 - radius, radius), (radius, height - 1 - radius),
                   (width - 1 - radius, height - 1 - radius)):
        beyond_x = x < radius if cx == radius else x > width - 1 - radius
        beyond_y = y < radius if cy == radius else y > height - 1 - radius
        if beyond_x and beyond_y and (x - cx) ** 2 + (y - cy) ** 2 > radius * radius:
            return False
    return 0 <= x < width and 0 <= y < height


def draw_background():
    back = Picture(BACK_WIDTH, BACK_HEIGHT, BACK_TOP)
    for y in range(BACK_HEIGHT):
        colour = mix(BACK_TOP, BACK_BOTTOM, y / float(BACK_HEIGHT - 1))
        for x in range(BACK_WIDTH):
            back.put(x, y, colour)
    for left, top, right, bottom in CARDS:
        width, height = right - left, bottom - top
        for y in range(height):
            for x in range(width):
                if not rounded(x, y, width, height, 5):
                    continue
                edge = not (rounded(x - 1, y, width, height, 5) and rounded(x + 1, y, width, height, 5)
                            and rounded(x, y - 1, width, height, 5) and rounded(x, y + 1, width, height, 5))
                back.put(left + x, top + y, CARD_EDGE if edge else CARD)
        # A soft shadow under the card's bottom edge.
        for x in range(left + 4, right - 2):
            back.put(x, bottom, mix(back.get(x, bottom), CARD_EDGE, 0.5))
    for x, colour in enumerate(MARKER):
        back.put(x, 0, colour)
    for colour in MARKER:
        assert back.count(colour) == 1, "the marker colour %r is used elsewhere" % (colour,)
    return back


def bevel_box(width, height, face_top, face_bottom, edge, light, dark, radius=3, outside=CARD):
    """A raised (light above dark) or sunken (dark above light) box with a gradient face."""
    box = Picture(width, height, outside)
    for y in range(height):
        for x in range(width):
            if not rounded(x, y, width, height, radius):
                continue
            inner = rounded(x - 1, y - 1, width - 2, height - 2, max(radius - 1, 0)) and 0 < x < width - 1 \
                and 0 < y < height - 1
            if not inner:
                colour = edge
            elif x == 1 or y == 1:
                colour = light
            elif x == width - 2 or y == height - 2:
                colour = dark
            else:
                colour = mix(face_top, face_bottom, (y - 2) / float(max(height - 5, 1)))
            box.put(x, y, colour)
    return box


LOOKS = ("raised", "sunken", "focused", "disabled")


def button_look(width, height, look, radius=4):
    if look == "raised":
        return bevel_box(width, height, (250, 251, 253), (214, 220, 232), (82, 90, 112),
                         (255, 255, 255), (150, 158, 178), radius)
    if look == "sunken":
        return bevel_box(width, height, (190, 198, 214), (214, 220, 232), (60, 66, 88),
                         (140, 148, 168), (248, 249, 252), radius)
    if look == "focused":
        return bevel_box(width, height, (236, 244, 255), (196, 216, 246), (36, 92, 196),
                         (255, 255, 255), (110, 150, 220), radius)
    return bevel_box(width, height, (232, 232, 234), (222, 222, 226), (168, 170, 178),
                     (242, 242, 244), (200, 200, 206), radius)


def draw_power_button(look):
    """The KxButton: a square with a power symbol (a broken ring and a bar)."""
    button = button_look(ICON_SIZE, ICON_SIZE, look, 6)
    glyph = {"raised": (40, 140, 60), "sunken": (20, 100, 40), "focused": (30, 160, 80),
             "disabled": (170, 172, 180)}[look]
    centre = (ICON_SIZE - 1) / 2.0 + (1 if look == "sunken" else 0)
    for y in range(ICON_SIZE):
        for x in range(ICON_SIZE):
            dx, dy = x - centre, y - centre
            distance = math.hypot(dx, dy)
            ring = 8.5 <= distance <= 11.5 and not (dy < 0 and abs(dx) < 5)
            bar = abs(dx) <= 1.5 and -13 <= dy <= -2
            if ring or bar:
                button.put(x, y, glyph)
    return button


def draw_text_button(look):
    return button_look(TEXT_BUTTON[0], TEXT_BUTTON[1], look)


def draw_brick(look, size):
    """A tile that is never pressed: normal, focused (the pointer over it) or disabled."""
    width, height = size
    if look == "normal":
        tile = bevel_box(width, height, (255, 214, 140), (236, 160, 60), (150, 92, 20),
                         (255, 236, 200), (200, 128, 40), 3)
    elif look == "focused":
        tile = bevel_box(width, height, (255, 240, 196), (255, 196, 96), (200, 80, 0),
                         (255, 255, 240), (230, 150, 50), 3)
    else:
        tile = bevel_box(width, height, (228, 226, 222), (212, 210, 206), (160, 158, 154),
                         (240, 240, 238), (196, 194, 190), 3)
    return tile


def draw_check(group, look):
    """One of the check box's twelve looks: group 'unchecked', 'checked' or 'grayed'."""
    size = CHECK_SIZE
    box = Picture(size, size, CARD)
    edge = {"raised": (80, 88, 110), "sunken": (50, 56, 76), "focused": (36, 92, 196),
            "disabled": (170, 172, 180)}[look]
    face = {"raised": (255, 255, 255), "sunken": (214, 220, 232), "focused": (236, 244, 255),
            "disabled": (236, 236, 238)}[look]
    for y in range(size):
        for x in range(size):
            if not rounded(x, y, size, size, 3):
                continue
            border = x in (0, size - 1) or y in (0, size - 1) or not rounded(x, y, size, size, 2) \
                or (look == "focused" and (x in (1, size - 2) or y in (1, size - 2)))
            box.put(x, y, edge if border else face)
    mark = (170, 172, 180) if look == "disabled" else (24, 128, 56)
    if group == "checked":
        # A tick: down from (5, 10) to (8, 13), then up to (15, 5), three pixels thick.
        for step in range(0, 31):
            t = step / 30.0
            if t < 0.3:
                x, y = 5 + 3 * (t / 0.3), 10 + 3 * (t / 0.3)
            else:
                x, y = 8 + 7 * ((t - 0.3) / 0.7), 13 - 8 * ((t - 0.3) / 0.7)
            for dy in (-1, 0, 1):
                box.put(int(round(x)), int(round(y)) + dy, mark)
    elif group == "grayed":
        shade = (170, 172, 180) if look == "disabled" else (120, 126, 142)
        fill(box, 5, 5, size - 5, size - 5, shade)
    return box


def draw_bar_track(look, size, groove_box):
    """A bar's track with the groove the knob runs in, groove_box = (x0, y0, x1, y1)."""
    width, height = size
    track = draw_brick(look, size) if look == "disabled" else bevel_box(
        width, height, (232, 236, 244), (212, 218, 230), (120, 128, 150) if look == "normal" else (36, 92, 196),
        (250, 251, 253), (180, 186, 200), 4)
    groove = (150, 156, 172) if look != "focused" else (90, 130, 210)
    fill(track, *groove_box, groove)
    return track


def draw_hbar(look):
    # The groove runs from the knob's origin (16, 12) to 148 pixels right of it.
    return draw_bar_track(look, HBAR, (14, 10, 166, 14))


def draw_vbar(look):
    # The groove runs from the knob's origin (12, 12) to 100 pixels below it.
    return draw_bar_track(look, VBAR, (10, 10, 14, 114))


def draw_knob(size):
    width, height = size
    return bevel_box(width, height, (120, 170, 250), (40, 100, 200), (20, 50, 120),
                     (200, 224, 255), (30, 70, 150), 3, outside=(232, 236, 244))


def draw_round(look):
    """The shaped button: a disc on the transparent colour, which the button cuts away."""
    size, radius = ROUND_SIZE, ROUND_RADIUS
    disc = Picture(size, size, ROUND_KEY)
    centre = (size - 1) / 2.0
    if look == "raised":
        light, dark, rim = (255, 180, 120), (220, 80, 30), (140, 40, 10)
        highlight = (-10, -10)
    elif look == "sunken":
        light, dark, rim = (200, 70, 20), (250, 150, 90), (110, 30, 5)
        highlight = (10, 10)
    else:  # focused: the pointer over it
        light, dark, rim = (255, 220, 160), (240, 110, 40), (40, 96, 200)
        highlight = (-10, -10)
    for y in range(size):
        for x in range(size):
            distance = math.hypot(x - centre, y - centre)
            if distance > radius:
                continue
            if distance > radius - 2.5:
                disc.put(x, y, rim)
                continue
            spot = math.hypot(x - centre - highlight[0], y - centre - highlight[1])
            disc.put(x, y, mix(light, dark, min(spot / (radius * 1.6), 1.0)))
    assert disc.get(0, size - 1) == ROUND_KEY
    for y in range(size):
        for x in range(size):
            inside = math.hypot(x - centre, y - centre) <= radius
            assert (disc.get(x, y) == ROUND_KEY) != inside, "round %s: (%d, %d)" % (look, x, y)
    return disc


def artwork():
    pictures = {"gallery_back.bmp": draw_background()}
    for look in LOOKS:
        pictures["power_%s.bmp" % look] = draw_power_button(look)
        pictures["textbutton_%s.bmp" % look] = draw_text_button(look)
    for look in ("normal", "focused", "disabled"):
        pictures["brick_%s.bmp" % look] = draw_brick(look, BRICK)
        pictures["textbrick_%s.bmp" % look] = draw_brick(look, TEXT_BRICK)
        pictures["hbar_%s.bmp" % look] = draw_hbar(look)
        pictures["vbar_%s.bmp" % look] = draw_vbar(look)
    for group in ("unchecked", "checked", "grayed"):
        for look in LOOKS:
            pictures["check_%s_%s.bmp" % (group, look)] = draw_check(group, look)
    pictures["hknob.bmp"] = draw_knob(HKNOB)
    pictures["vknob.bmp"] = draw_knob(VKNOB)
    for look in ("raised", "sunken", "focused"):
        pictures["round_%s.bmp" % look] = draw_round(look)
    check_distinct(pictures)
    return pictures


def check_distinct(pictures):
    """The looks of one control must differ, or a test could not tell them apart."""
    families = {}
    for name, picture in pictures.items():
        families.setdefault(name.rsplit("_", 1)[0], []).append((name, picture.rows))
    for family, members in families.items():
        for i, (first, rows) in enumerate(members):
            for second, other in members[i + 1:]:
                assert rows != other, "%s and %s look the same" % (first, second)
    groups = ("unchecked", "checked", "grayed")
    for look in LOOKS:
        rows = [pictures["check_%s_%s.bmp" % (group, look)].rows for group in groups]
        assert rows[0] != rows[1] != rows[2] != rows[0], "check box %s looks" % look


# Written last, naming every bitmap: the build depends on it rather than on a list of
# names that would have to be kept in step with this script.
STAMP = "gallery-artwork.stamp"


def write(folder, name, data):
    # Through a temporary name, so that a build never sees half a file.
    path = os.path.join(folder, name)
    with open(path + ".tmp", "wb") as out:
        out.write(data)
    os.replace(path + ".tmp", path)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make-gallery-artwork.py OUTPUT_DIR\n")
        return 2
    folder = argv[1]
    os.makedirs(folder, exist_ok=True)
    pictures = artwork()
    for name, picture in sorted(pictures.items()):
        write(folder, name, picture.bmp_bytes())
    write(folder, STAMP, ("\n".join(sorted(pictures)) + "\n").encode("ascii"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
