#!/usr/bin/env python3
"""End-to-end tests of gallery.exe: the real program under Wine and Xvfb, driven with real
pointer input (xdotool) and checked on the screen's pixels.

Every case starts the gallery, finds its client area on the screen by the four marker
pixels at the top-left corner of its background, acts as a user would and compares what
the screen shows with the artwork the build drew (the bitmaps in ARTWORK_DIR) or with the
segments a seven-segment display must light. Run under tools/wine/with-wine.sh:

    gallery_e2e.py CASE --gallery gallery.exe --counting gallery-counting.exe --artwork DIR
    gallery_e2e.py measure --gallery gallery.exe [--bare BareLaunch.exe] [--runs N]

`measure` is no test: it prints the time from start to the gallery first shown and the
size of the executable.
"""
import argparse
import datetime
import os
import pathlib
import statistics
import struct
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from harness import Failure, check, run, screenshot, xdotool  # noqa: E402

TITLE = "Kx control gallery"
START_TIMEOUT = 60  # seconds from start to the gallery painted
EXIT_TIMEOUT = 30  # seconds for the program to end once its form is closed
SETTLE = 5.0  # seconds a look may take to appear on the screen
MARKER = [(1, 2, 3), (254, 1, 253), (3, 250, 5), (250, 4, 2)]

# Where the form description puts the controls (client coordinates): left, top, width, height.
BRICK = (18, 136, 64, 32)
CAPTION_BRICK = (96, 136, 120, 32)
CHECK = (318, 44, 20, 20)
CHECK_LABEL = (346, 47, 100, 16)
ROUND = (486, 32, 64, 64)
ROUND_LABEL = (558, 56, 70, 16)
ROUND_KEY = (255, 0, 255)
POWER = (18, 40, 40, 40)
SWITCH = (70, 45, 100, 30)
CLOSE = (184, 45, 100, 30)
HBAR = (18, 222, 180, 24)
HBAR_ORIGIN = (16, 12)
HKNOB_SIZE = (12, 20)
BAR_LED = (330, 198, 120, 54)
DOCK_AREA = (232, 134, 110, 48)
CLOCK_LED = (18, 300, 240, 54)
DATE_LED = (300, 300, 312, 54)
# Points on the bare background, away from every control (one per card row).
NEUTRAL = [(300, 150), (420, 90), (250, 190)]

LIGHT, DARK = (10, 240, 10), (14, 38, 62)  # the displays' default segment colours
MIN_WINDOW = (640, 400)  # the form's Constraints.MinWidth and MinHeight
# The hints of the form description (the hint window's text is its window text, which Wine
# makes the X window's name).
BRICK_HINT = "A brick lights up under the pointer"
CLOSE_HINT = "Closes the gallery"


# --- pictures -------------------------------------------------------------------------------

class Picture:
    """An RGB picture: rows of (r, g, b) tuples, row 0 at the top."""

    def __init__(self, width, height, rows):
        self.width, self.height, self.rows = width, height, rows

    def get(self, x, y):
        return self.rows[y][x]

    def __eq__(self, other):
        return isinstance(other, Picture) and self.rows == other.rows

    def differences(self, other, mask=None):
        """How many pixels differ (where mask(x, y) holds, when given)."""
        count = 0
        for y in range(self.height):
            for x in range(self.width):
                if (mask is None or mask(x, y)) and self.rows[y][x] != other.rows[y][x]:
                    count += 1
        return count


def read_bmp(path):
    """An uncompressed 24-bit Windows bitmap, as the artwork generator writes them."""
    data = pathlib.Path(path).read_bytes()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    check(bits == 24, f"{path}: {bits} bits per pixel")
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        line = offset + (abs(height) - 1 - y if height > 0 else y) * stride
        rows.append([(data[line + 3 * x + 2], data[line + 3 * x + 1], data[line + 3 * x])
                     for x in range(width)])
    return Picture(width, abs(height), rows)


def crop(screen, left, top, width, height):
    """A Picture of a rectangle of the screen."""
    return Picture(width, height, screen.rows(left, top, width, height))


# --- the seven-segment displays --------------------------------------------------------------

# Segment centres of a digit cell in design pixels (18 x 22, segments a-g), and of a dot
# (6 x 27); a display scales its design size to its own size.
SEGMENTS = {"a": (8, 2.5), "b": (14.5, 6.5), "c": (14.5, 14.5), "d": (8, 18.5),
            "e": (2.5, 14.5), "f": (2.5, 6.5), "g": (8, 10.5)}
DOT = (3, 23)
DIGITS = {None: "", 0: "abcdef", 1: "bc", 2: "abdeg", 3: "abcdg", 4: "bcfg", 5: "acdfg",
          6: "acdefg", 7: "abc", 8: "abcdefg", 9: "abcdfg"}
CELL_WIDTH = {"8": 18, ".": 6}
DESIGN_HEIGHT = 27


def read_display(picture, led, format_):
    """What a display shows, one entry per format character: a digit, None for a blank digit
    cell, True or False for a lit or dark dot. Raises when a cell shows no digit."""
    left, top, width, height = led
    cells = ["8" if c != "." else "." for c in format_]
    design_width = sum(CELL_WIDTH[c] for c in cells)
    sx, sy = width / design_width, height / DESIGN_HEIGHT

    def lit(x, y):
        colour = picture.get(int(left + x * sx), int(top + y * sy))
        check(colour in (LIGHT, DARK), f"display pixel ({x}, {y}) is {colour}, not a segment colour")
        return colour == LIGHT

    shown, x0 = [], 0
    for c in cells:
        if c == ".":
            shown.append(lit(x0 + DOT[0], DOT[1]))
        else:
            segments = "".join(s for s, (x, y) in SEGMENTS.items() if lit(x0 + x, y))
            digits = [d for d, pattern in DIGITS.items() if pattern == segments]
            check(digits, f"a cell lights the segments '{segments}', which is no digit")
            shown.append(digits[0])
        x0 += CELL_WIDTH[c]
    return shown


def showing(format_, expected):
    """A predicate on a display's region: it shows `expected` (see read_display)."""
    def predicate(region):
        try:
            return read_display(region, (0, 0, region.width, region.height), format_) == expected
        except Failure:
            return False  # caught while drawing
    return predicate


def as_text(shown):
    return "".join(" " if s is None else "." if s is True else "_" if s is False else str(s)
                   for s in shown)


# --- the program ----------------------------------------------------------------------------

def windows_path(path):
    """The Wine path of a Unix path (drive Z: is the Unix root)."""
    return "Z:" + str(pathlib.Path(path).resolve()).replace("/", "\\")


def window_box(window):
    """An X window's place and size on the screen: left, top, width, height."""
    geometry = dict(line.split("=") for line in
                    xdotool("getwindowgeometry", "--shell", window).split())
    return tuple(int(geometry[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))


class Gallery:
    """One run of the gallery: started, found on the screen, driven and ended."""

    def __init__(self, exe, *arguments):
        self.started = time.monotonic()
        self.process = harness.WineProcess(exe, *arguments)
        self.window = None
        self.origin = None
        self.pointer = None

    def find(self):
        """Waits for the window and its painted background. Returns the seconds from the start
        to the window mapped, and the bounds of the time to the background painted: after the
        last screenshot that did not show it began, before the first that did ended."""
        deadline = self.started + START_TIMEOUT
        while self.window is None:
            self._alive_before(deadline, "the gallery window did not appear")
            found = run("xdotool", "search", "--onlyvisible", "--name", f"^{TITLE}$").stdout.split()
            if found:
                self.window = found[-1]
            else:
                time.sleep(0.02)
        mapped = time.monotonic() - self.started
        not_yet = mapped
        while self.origin is None:
            self._alive_before(deadline, "the gallery's background was not painted")
            shot_start = time.monotonic() - self.started
            shot = screenshot()
            shot_end = time.monotonic() - self.started
            self.origin = self._marker(shot)
            if self.origin is None:
                not_yet = shot_start
        return mapped, (not_yet, shot_end)

    def _alive_before(self, deadline, message):
        check(self.process.running(), f"the gallery ended with exit code {self.process.returncode}")
        check(time.monotonic() < deadline, message)

    def _marker(self, screen):
        """The marker's place, when it lies inside the gallery's window."""
        found = screen.find(MARKER)
        if found is None:
            return None
        left, top, width, height = self.geometry()
        inside = left <= found[0] < left + width and top <= found[1] < top + height
        return found if inside else None

    def geometry(self):
        """The form's place and size on the screen, frame included."""
        return window_box(self.window)

    # Client coordinates from here on.
    def region(self, box, picture=None):
        picture = picture or screenshot()
        return crop(picture, self.origin[0] + box[0], self.origin[1] + box[1], box[2], box[3])

    def move(self, x, y):
        target = (self.origin[0] + x, self.origin[1] + y)
        # --sync waits for the pointer to move: not when it is there already.
        if target != self.pointer:
            xdotool("mousemove", "--sync", str(target[0]), str(target[1]))
            self.pointer = target

    def press(self):
        xdotool("mousedown", "1")

    def release(self):
        xdotool("mouseup", "1")

    def click(self, x, y, button=1):
        self.move(x, y)
        xdotool("click", str(button))

    def drag(self, start, end, steps=5):
        """Presses at `start`, moves to `end` in steps and lets go there."""
        self.move(*start)
        self.press()
        try:
            for step in range(1, steps + 1):
                time.sleep(0.05)
                self.move(start[0] + (end[0] - start[0]) * step // steps,
                          start[1] + (end[1] - start[1]) * step // steps)
            time.sleep(0.2)
        finally:
            self.release()

    def popups(self):
        """The gallery's visible X windows other than its form (hint window, menus)."""
        return set(harness.visible_windows_of([self.process.process.pid])) - {self.window}

    def rest(self, index=0):
        """Puts the pointer on the bare background (a different point each time, so that the
        move always reaches the program)."""
        self.move(*NEUTRAL[index % len(NEUTRAL)])

    def wait_for(self, box, expected, what, mask=None):
        """Waits until the region shows `expected` (a Picture or a predicate on the region)."""
        deadline = time.monotonic() + SETTLE
        while True:
            region = self.region(box)
            if callable(expected):
                if expected(region):
                    return region
            elif region.differences(expected, mask) == 0:
                return region
            if time.monotonic() > deadline:
                detail = "" if callable(expected) else \
                    f" ({region.differences(expected, mask)} pixels differ)"
                raise Failure(f"{what} did not appear within {SETTLE} s{detail}")
            time.sleep(0.1)

    def close(self):
        """Closes the form as a user would: Alt+F4 on its window."""
        xdotool("windowfocus", "--sync", self.window)
        xdotool("key", "--clearmodifiers", "alt+F4")

    def exit_code(self):
        return self.process.wait(EXIT_TIMEOUT, "its form closed")

    def kill(self):
        self.process.kill()


# --- the cases --------------------------------------------------------------------------------

def case_hover_brick(gallery, art):
    """Pointing at a brick shows its focused bitmap, leaving shows the normal one again; the
    captioned brick changes while pointed at and is restored after."""
    gallery.rest(0)
    gallery.wait_for(BRICK, art("brick_normal"), "the brick's normal bitmap")
    caption_before = gallery.region(CAPTION_BRICK)
    gallery.move(BRICK[0] + 30, BRICK[1] + 16)
    gallery.wait_for(BRICK, art("brick_focused"), "the brick's focused bitmap under the pointer")
    gallery.rest(1)
    gallery.wait_for(BRICK, art("brick_normal"), "the brick's normal bitmap after leaving")

    gallery.move(CAPTION_BRICK[0] + 20, CAPTION_BRICK[1] + 10)
    hovered = gallery.wait_for(CAPTION_BRICK, lambda r: r.differences(caption_before) > 0,
                               "a change of the captioned brick under the pointer")
    # The caption is drawn over the focused bitmap: its border is the bitmap's.
    focused = art("textbrick_focused")
    check(hovered.differences(focused, lambda x, y: x in (0, 119) or y in (0, 31)) == 0,
          "the captioned brick's border is not its focused bitmap")
    gallery.rest(2)
    gallery.wait_for(CAPTION_BRICK, caption_before, "the captioned brick's look before hovering")


def case_check_cycle(gallery, art):
    """Three clicks on the check box with AllowGrayed go unchecked, grayed, checked,
    unchecked: its bitmap (focused look, the pointer stays on it) and its label follow."""
    gallery.rest(0)
    gallery.wait_for(CHECK, art("check_unchecked_raised"), "the unchecked box")
    labels = [gallery.region(CHECK_LABEL)]
    for group in ("grayed", "checked", "unchecked"):
        gallery.click(CHECK[0] + 10, CHECK[1] + 10)
        gallery.wait_for(CHECK, art(f"check_{group}_focused"), f"the {group} box after a click")
        previous = labels[-1]
        labels.append(gallery.wait_for(CHECK_LABEL, lambda r: r.differences(previous) > 0,
                                       f"the label's change to {group}"))
    check(labels[1] != labels[2], "the label shows the same for grayed and checked")
    check(labels[3] == labels[0], "the label does not show what it showed for unchecked")
    gallery.rest(1)
    gallery.wait_for(CHECK, art("check_unchecked_raised"), "the unchecked box after leaving")


def case_bar_drag(gallery, art):
    """Dragging the bar's indicator 40 pixels right makes the display show 4.0 (position / 10),
    and the indicator lies 40 pixels right of the origin."""
    gallery.rest(0)
    shown = read_display(gallery.region(BAR_LED), (0, 0, BAR_LED[2], BAR_LED[3]), "88.8")
    check(shown == [None, 0, True, 0], f"the display shows '{as_text(shown)}' before the drag")
    knob = art("hknob")
    start_x = HBAR[0] + HBAR_ORIGIN[0]
    y = HBAR[1] + HBAR_ORIGIN[1]
    gallery.move(start_x, y)
    gallery.press()
    try:
        for step in range(1, 5):
            time.sleep(0.05)
            gallery.move(start_x + 10 * step, y)
    finally:
        gallery.release()
    gallery.wait_for(BAR_LED, showing("88.8", [None, 4, True, 0]), "4.0 on the display after the drag")
    knob_box = (start_x + 40 - HKNOB_SIZE[0] // 2, y - HKNOB_SIZE[1] // 2) + HKNOB_SIZE
    gallery.wait_for(knob_box, knob, "the indicator 40 pixels right of the origin")


def read_clock(gallery):
    """The digits of the clock and of the date, read from one screenshot (again, when it caught
    a display while it was drawn)."""
    for attempt in range(3):
        picture = screenshot()
        try:
            clock = read_display(gallery.region(CLOCK_LED, picture), (0, 0) + CLOCK_LED[2:], "88.88.88")
            date = read_display(gallery.region(DATE_LED, picture), (0, 0) + DATE_LED[2:], "88.88.8888")
            break
        except Failure:
            if attempt == 2:
                raise
    check(None not in clock and None not in date, f"blank digits: '{as_text(clock)}' '{as_text(date)}'")
    # The dots are booleans, and True == 1 in Python: pick the digits by their places.
    digits = lambda shown, format_: "".join(str(d) for d, c in zip(shown, format_) if c == "8")
    return digits(clock, "88.88.88"), digits(date, "88.88.8888")


def case_clock(gallery, art):
    """The clock shows the local time and changes within two seconds; the date display shows
    today's date."""
    before = datetime.datetime.now()
    clock, date = read_clock(gallery)
    after = datetime.datetime.now()
    times = {(before + datetime.timedelta(seconds=s)).strftime("%H%M%S") for s in
             range(-2, int((after - before).total_seconds()) + 3)}
    check(clock in times, f"the clock shows {clock}, the time is {before:%H%M%S} to {after:%H%M%S}")
    check(date in {before.strftime("%d%m%Y"), after.strftime("%d%m%Y")}, f"the date shows {date}")
    deadline = time.monotonic() + 2.0
    while read_clock(gallery)[0] == clock:
        check(time.monotonic() < deadline, f"the clock still shows {clock} after two seconds")
        time.sleep(0.1)


def case_round_shape(gallery, art):
    """The round button is cut to its disc: its square's corners show the form behind it, and
    pointing or pressing there neither lights nor presses it; inside the disc both do, and a
    click there counts."""
    raised, sunken, focused = art("round_raised"), art("round_sunken"), art("round_focused")
    disc = lambda x, y: raised.get(x, y) != ROUND_KEY
    gallery.rest(0)
    shown = gallery.wait_for(ROUND, raised, "the raised disc", mask=disc)
    corners = [shown.get(x, y) for x in (0, 63) for y in (0, 63)]
    check(ROUND_KEY not in corners, "the transparent colour is on the screen: the button is not cut")
    label = gallery.region(ROUND_LABEL)

    # Inside the square, outside the disc: 40 pixels from the centre of a 30-pixel disc.
    gallery.move(ROUND[0] + 3, ROUND[1] + 3)
    time.sleep(1.0)
    check(gallery.region(ROUND).differences(raised, disc) == 0, "the disc lit up for the corner")
    gallery.press()
    try:
        time.sleep(1.0)
        check(gallery.region(ROUND).differences(raised, disc) == 0,
              "a press on the corner pressed the button")
    finally:
        gallery.release()
    time.sleep(0.5)
    check(gallery.region(ROUND_LABEL) == label, "a click on the corner reached the button")

    gallery.move(ROUND[0] + 32, ROUND[1] + 32)
    gallery.wait_for(ROUND, focused, "the focused disc under the pointer", mask=disc)
    gallery.press()
    try:
        gallery.wait_for(ROUND, sunken, "the sunken disc while pressed", mask=disc)
    finally:
        gallery.release()
    gallery.wait_for(ROUND_LABEL, lambda r: r != label, "the count of presses after a click")


def case_buttons(gallery, art):
    """The power button wakes the disabled text button (its disabled bitmap gives way to the
    raised one); the Close button ends the program with exit code 0."""
    edges = lambda x, y: x < 16 or x >= SWITCH[2] - 16  # away from the caption
    gallery.rest(0)
    gallery.wait_for(SWITCH, art("textbutton_disabled"), "the disabled text button", mask=edges)
    gallery.click(POWER[0] + 20, POWER[1] + 20)
    gallery.wait_for(SWITCH, art("textbutton_raised"), "the woken text button", mask=edges)
    gallery.click(CLOSE[0] + 50, CLOSE[1] + 15)
    code = gallery.exit_code()
    check(code == 0, f"the gallery ended with exit code {code} after Close")


def case_close(gallery, art):
    """Closing the form (Alt+F4) ends the program with exit code 0."""
    gallery.close()
    code = gallery.exit_code()
    check(code == 0, f"the gallery ended with exit code {code}")


def until(condition, what, seconds=SETTLE):
    """Waits until condition() gives something true and returns it."""
    deadline = time.monotonic() + seconds
    while True:
        result = condition()
        if result:
            return result
        check(time.monotonic() < deadline, f"{what} did not happen within {seconds} s")
        time.sleep(0.1)


def hint_shown(gallery):
    """The texts of the gallery's visible popups with a name: the hint window's text."""
    names = {run("xdotool", "getwindowname", w).stdout.strip() for w in gallery.popups()}
    return names - {"", "gallery"}  # "gallery": the application's own hidden window


def case_hint(gallery, art):
    """Resting the pointer on a control brings up the hint window with that control's hint,
    just below the pointer; another control shows its own; the bare background none."""
    gallery.rest(0)
    gallery.move(BRICK[0] + 30, BRICK[1] + 16)
    until(lambda: hint_shown(gallery) == {BRICK_HINT}, f"the hint '{BRICK_HINT}'")
    hint = next(w for w in gallery.popups()
                if run("xdotool", "getwindowname", w).stdout.strip() == BRICK_HINT)
    left, top = window_box(hint)[:2]
    pointer = (gallery.origin[0] + BRICK[0] + 30, gallery.origin[1] + BRICK[1] + 16)
    check(0 <= top - pointer[1] <= 40 and abs(left - pointer[0]) <= 40,
          f"the hint is at {left}, {top}, the pointer at {pointer}")
    gallery.move(CLOSE[0] + 50, CLOSE[1] + 15)
    until(lambda: hint_shown(gallery) == {CLOSE_HINT}, f"the hint '{CLOSE_HINT}'")
    gallery.rest(2)
    until(lambda: not hint_shown(gallery), "the hint's end on the background")


def drag_bar(gallery, pixels):
    """Drags the horizontal bar's indicator `pixels` to the right of its origin."""
    x, y = HBAR[0] + HBAR_ORIGIN[0], HBAR[1] + HBAR_ORIGIN[1]
    gallery.drag((x, y), (x + pixels, y), steps=pixels // 10)


def case_menu_reset(gallery, art):
    """A right click on the bar's display opens its menu; its Reset item puts the display and
    the bar back to zero."""
    gallery.rest(0)
    drag_bar(gallery, 40)
    gallery.wait_for(BAR_LED, showing("88.8", [None, 4, True, 0]), "4.0 on the display")
    before = gallery.popups()
    gallery.click(BAR_LED[0] + 60, BAR_LED[1] + 27, button=3)
    menu = until(lambda: gallery.popups() - before, "the display's menu")
    check(len(menu) == 1, f"{len(menu)} windows opened for the menu")
    left, top, width, height = window_box(menu.pop())
    # Reset is the last item: its middle lies a half item above the menu's bottom edge.
    xdotool("mousemove", "--sync", left + width // 2, top + height - 12)
    xdotool("click", "1")
    gallery.pointer = None
    gallery.wait_for(BAR_LED, showing("88.8", [None, 0, True, 0]), "0.0 on the display after Reset")
    knob_box = (HBAR[0] + HBAR_ORIGIN[0] - HKNOB_SIZE[0] // 2,
                HBAR[1] + HBAR_ORIGIN[1] - HKNOB_SIZE[1] // 2) + HKNOB_SIZE
    gallery.wait_for(knob_box, art("hknob"), "the indicator back at the origin")


def places_of(region, picture):
    """Where in the region (x, y) the picture shows exactly."""
    first = picture.get(0, 0)
    return [(x, y) for y in range(region.height - picture.height + 1)
            for x in range(region.width - picture.width + 1)
            if region.get(x, y) == first and
            all(region.rows[y + j][x:x + picture.width] == picture.rows[j]
                for j in range(picture.height))]


def case_dock_brick(gallery, art):
    """Dragging the first brick onto the white box docks it there: the box shows the brick,
    its old place does not."""
    normal = art("brick_normal")
    gallery.rest(0)
    gallery.wait_for(BRICK, normal, "the brick's normal bitmap")
    check(not places_of(gallery.region(DOCK_AREA), normal), "a brick in the box before the drag")
    gallery.drag((BRICK[0] + 30, BRICK[1] + 16), (DOCK_AREA[0] + 30, DOCK_AREA[1] + 24), steps=10)
    gallery.rest(1)
    gallery.wait_for(DOCK_AREA, lambda r: len(places_of(r, normal)) == 1,
                     "the brick inside the box")
    check(gallery.region(BRICK).differences(normal) > BRICK[2] * BRICK[3] // 2,
          "the brick still shows at its old place")


def case_anchors(gallery, art):
    """Sizing the window by its bottom-right corner moves the right-hand column by the width
    change and the clock by the height change; below the form's minimum size it stops there."""
    raised = art("round_raised")
    disc = lambda x, y: raised.get(x, y) != ROUND_KEY
    left, top, width, height = gallery.geometry()

    def size_to(new_width, new_height):
        # Client coordinates of the frame's bottom-right corner, a little inside it.
        corner = lambda w, h: (left + w - 3 - gallery.origin[0], top + h - 3 - gallery.origin[1])
        current = gallery.geometry()[2:]
        gallery.drag(corner(*current), corner(new_width, new_height))
        gallery.rest(len(current))

    def round_at(dx, what):
        box = (ROUND[0] + dx, ROUND[1]) + ROUND[2:]
        gallery.wait_for(box, raised, what, mask=disc)

    size_to(width + 100, height)
    check(gallery.geometry() == (left, top, width + 100, height),
          f"the window is {gallery.geometry()} after widening {width} by 100")
    round_at(100, "the round button 100 pixels further right")

    size_to(MIN_WINDOW[0] - 200, MIN_WINDOW[1] - 150)
    check(gallery.geometry() == (left, top) + MIN_WINDOW,
          f"the window is {gallery.geometry()} after sizing below {MIN_WINDOW}")
    round_at(MIN_WINDOW[0] - width, "the round button at the minimum width")
    clock = (CLOCK_LED[0], CLOCK_LED[1] + MIN_WINDOW[1] - height) + CLOCK_LED[2:]
    gallery.wait_for(clock, lambda r: len(clock_digits(r)) == 8, "the clock at the minimum height")


def clock_digits(region):
    """What the clock display in the region shows, or [] when it shows no digits."""
    try:
        return read_display(region, (0, 0, region.width, region.height), "88.88.88")
    except Failure:
        return []


def case_resources(args, art):
    """The test build runs the clock every 50 ms, one second per tick from 31.12.2008 23:59:30,
    and counts GDI objects and windows from tick 5 to tick 60: they stay where they were."""
    # A hint would make its window (once) while the counts run: the pointer waits off the
    # gallery, whose window starts at (192, 114).
    xdotool("mousemove", "--sync", 0, 0)
    with tempfile.TemporaryDirectory() as folder:
        counts = pathlib.Path(folder) / "counts.txt"
        gallery = Gallery(args.counting, "--count-resources", windows_path(counts), "--ticks", "60")
        try:
            gallery.find()
            clock, date = read_clock(gallery)
            check((date, clock[:4]) in {("31122008", "2359"), ("01012009", "0000")},
                  f"the fast clock shows {clock} on {date}")
            code = gallery.exit_code()
        finally:
            gallery.kill()
        check(code == 0, f"the counting run ended with exit code {code}")
        lines = counts.read_text().split("\n")
    samples = [tuple(int(v) for v in line.split()[1::2]) for line in lines if line.startswith("tick")]
    check([s[0] for s in samples] == [5, 10, 20, 30, 40, 50, 60], f"samples at ticks {samples}")
    tick, gdi, windows = samples[0]
    # The form, the application window and nine windowed controls; dozens of bitmaps.
    check(windows >= 11 and gdi >= 30, f"implausible baseline: {gdi} GDI objects, {windows} windows")
    for tick, count_gdi, count_windows in samples[1:]:
        check(count_gdi == gdi, f"GDI objects {gdi} at tick 5, {count_gdi} at tick {tick}")
        check(count_windows == windows, f"windows {windows} at tick 5, {count_windows} at tick {tick}")
    print(f"flat over 60 ticks: {gdi} GDI objects, {windows} windows")


CASES = {
    "hover_brick": case_hover_brick,
    "check_cycle": case_check_cycle,
    "bar_drag": case_bar_drag,
    "clock": case_clock,
    "round_shape": case_round_shape,
    "buttons": case_buttons,
    "close": case_close,
    "hint": case_hint,
    "menu_reset": case_menu_reset,
    "dock_brick": case_dock_brick,
    "anchors": case_anchors,
}
OWN_PROCESS = {"resources": case_resources}


def measure(args):
    """Prints the start-up time of the gallery (to its window mapped and to its background
    painted) over several runs, beside a program that makes no window, and its size."""
    mapped, painted_after, painted_before, bare = [], [], [], []
    for _ in range(args.runs):
        gallery = Gallery(args.gallery)
        try:
            m, (after, before) = gallery.find()
            gallery.close()
            check(gallery.exit_code() == 0, "the gallery did not end with exit code 0")
        finally:
            gallery.kill()
        mapped.append(m)
        painted_after.append(after)
        painted_before.append(before)
        if args.bare:
            start = time.monotonic()
            harness.wine(args.bare, check_rc=False)
            bare.append(time.monotonic() - start)
    ms = lambda values: f"{statistics.median(values) * 1000:.0f} ms"
    spread = lambda values: f"(min {min(values) * 1000:.0f}, max {max(values) * 1000:.0f})"
    print(f"{len(mapped)} runs, medians:")
    print(f"  start to window mapped:     {ms(mapped)} {spread(mapped)}")
    print(f"  start to gallery painted:   after {ms(painted_after)}, before {ms(painted_before)}"
          f" (screenshots bound it)")
    if bare:
        print(f"  BareLaunch start to exit:   {ms(bare)} {spread(bare)} (a process without windows)")
    size = pathlib.Path(args.gallery).stat().st_size
    print(f"gallery.exe size: {size} bytes = {size / 1024:.1f} KiB")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("case", choices=sorted(CASES) + sorted(OWN_PROCESS) + ["measure"])
    parser.add_argument("--gallery", type=pathlib.Path, required=True)
    parser.add_argument("--counting", type=pathlib.Path)
    parser.add_argument("--artwork", type=pathlib.Path)
    parser.add_argument("--bare", type=pathlib.Path)
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    if harness.wine_prefix() is None:
        return 2
    if args.case == "measure":
        measure(args)
        return 0
    art = lambda name: read_bmp(args.artwork / f"{name}.bmp")
    if args.case in OWN_PROCESS:
        return harness.run_case(args.case, lambda: OWN_PROCESS[args.case](args, art))

    def body():
        gallery = Gallery(args.gallery)
        try:
            gallery.find()
            CASES[args.case](gallery, art)
            if gallery.process.running():
                gallery.close()
                code = gallery.exit_code()
                check(code == 0, f"the gallery ended with exit code {code}")
        finally:
            gallery.kill()
    return harness.run_case(args.case, body)


if __name__ == "__main__":
    sys.exit(main())
