#!/usr/bin/env python3
"""End-to-end tests of the notice window: pelorin.exe and spelorin.exe under Wine and Xvfb.

Each case starts a program on a prefix without a .NET Framework 2.0 key, in front of a
full-screen backdrop of one colour (another process), and checks what a user sees and does:
where the window is, which pixels of the screen show the panel and which show the backdrop
through it, that the text is drawn, that the window has no caption and the application no
taskbar button, that the pointer drags the window by its panel only, that pressing OK ends
the program with exit code 0 and starts nothing, and how the window stands against a window
of another process brought in front. The screen is read with ImageMagick's import, the windows' styles with
NoticeHelper.exe. Run under tools/wine/with-wine.sh:

    notice_e2e.py CASE --pelorin P.exe --spelorin S.exe --setup FakeSetup.exe
                  --helper NoticeHelper.exe [--noform N.exe --badform B.exe]
"""
import argparse
import os
import pathlib
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from harness import Failure, check, near, xdotool  # noqa: E402
import launcher_e2e as e2e  # noqa: E402  (the stage, the framework key, the checks)

SCREEN = (1024, 768)
NOTICE = (312, 289, 400, 190)  # left, top, width, height on a 1024 x 768 screen
KEY = (255, 126, 241)
BACKDROP = (32, 64, 192)
COVER = (0, 200, 0)
MESSAGE = (32, 57, 337, 42)  # the label's place on the form
CAUSION = (32, 77, 337, 52)
BUTTON = (160, 139, 75, 27)
START_TIMEOUT = 30  # seconds for the notice window to appear
END_TIMEOUT = 15  # seconds for a program to end once OK is pressed

WS_CAPTION, WS_THICKFRAME, WS_POPUP = 0x00C00000, 0x00040000, 0x80000000
WS_EX_TOOLWINDOW, WS_EX_APPWINDOW, WS_EX_LAYERED = 0x80, 0x40000, 0x80000


def outline():
    """See-through pixels at the left and right end of each row of the skin (None: all)."""
    rows = {row: None for row in list(range(0, 6)) + list(range(184, 190))}
    table = [([6], 26), ([7], 23), ([8], 21), ([9], 20), ([10], 18), ([11], 17), ([12], 16),
             ([13], 15), ([14], 14), ([15], 13), ([16], 12), ([17], 11), ([18], 10), ([19], 9),
             ([20, 21], 8), ([22], 7), ([23, 24], 6), ([25, 26], 5), (range(28, 161), 4),
             ([161, 162], 5), ([163, 164], 6), ([165], 7), ([166, 167], 8), ([168], 9),
             ([169, 170], 10), ([171], 11), ([172], 12), ([173], 13), ([174], 14), ([175], 15),
             ([176], 16), ([177], 17), ([178], 18), ([179], 19), ([180], 20), ([181], 22),
             ([182], 24), ([183], 26)]
    for row_list, count in table:
        for row in row_list:
            rows[row] = (count, count)
    rows[27] = (5, 4)
    assert sorted(rows) == list(range(190))
    return rows


Screen = harness.screenshot  # the screen as shown, read once


def helper(stage, *arguments):
    """Runs NoticeHelper.exe (placed in the stage) and returns what it printed."""
    return harness.wine(stage.windows_path("NoticeHelper.exe"), *arguments, check_rc=False,
                        timeout=30).stdout


def top_level_windows(stage):
    """The desktop's top-level windows as NoticeHelper.exe lists them."""
    found = []
    for line in helper(stage, "windows").splitlines():
        head, _, title = line.partition(" title=")
        entry = dict(field.split("=", 1) for field in head.split())
        for name in ("hwnd", "style", "exstyle", "owner"):
            entry[name] = int(entry[name], 16)
        for name in ("visible", "left", "top", "right", "bottom"):
            entry[name] = int(entry[name])
        entry["title"] = title
        found.append(entry)
    return found


class Session:
    """A backdrop, one launcher showing its notice, and what is needed to look at both."""

    def __init__(self, stage, args, program):
        self.stage, self.args, self.program = stage, args, program
        self.helper = stage.windows_path("NoticeHelper.exe")
        self.processes = []
        stage.place(args.helper, "NoticeHelper.exe")
        stage.place(e2e.PROGRAMS[program], f"Support Disc\\{program}.exe")
        stage.place(args.setup, "Support Disc\\setup.exe")
        self.cover(0, 0, *SCREEN, BACKDROP, 120)
        self.launcher = self.wine(stage.windows_path(f"Support Disc\\{program}.exe"))
        self.notice = self.wait_for_notice()

    def wine(self, *command, stdout=subprocess.DEVNULL):
        process = harness.WineProcess(*command, cwd=self.stage.drive_c, stdout=stdout, env={
            "FAKE_SETUP_RECORDS": self.stage.windows + "\\records"})
        self.processes.append(process)
        return process

    def cover(self, left, top, width, height, colour, seconds, topmost=False):
        """A window of another process there, brought in front; returns when it is shown."""
        rgb = "%02X%02X%02X" % colour
        process = self.wine(self.helper, "cover", left, top, width, height, rgb, seconds,
                            *(["topmost"] if topmost else []), stdout=subprocess.PIPE)
        line = process.stdout.readline()
        check(line.strip() == b"shown", f"the cover window did not come up ({line!r})")
        return process

    def windows(self):
        return top_level_windows(self.stage)

    def notice_window(self):
        for window in self.windows():
            if window["title"] == "Velmora KVX Setup" and window["visible"]:
                return window
        return None

    def application_window(self):
        for window in self.windows():
            if window["class"] == "TesselApplication" and window["title"] == self.program:
                return window
        return None

    def wait_for_notice(self):
        deadline = time.monotonic() + START_TIMEOUT
        while time.monotonic() < deadline:
            check(self.launcher.running(),
                  f"{self.program} ended ({self.launcher.returncode}) without a notice")
            window = self.notice_window()
            if window:
                time.sleep(0.5)  # let it paint
                return window
            time.sleep(0.2)
        raise Failure(f"{self.program} showed no notice within {START_TIMEOUT} s")

    def place(self):
        window = self.notice_window()
        check(window is not None, "the notice window is gone")
        return window["left"], window["top"]

    def press_ok(self):
        left, top = self.place()
        x, y = left + BUTTON[0] + BUTTON[2] // 2, top + BUTTON[1] + BUTTON[3] // 2
        xdotool("mousemove", x - 3, y - 3)
        xdotool("mousemove", x, y)
        time.sleep(0.2)
        xdotool("click", 1)
        self.expect_end("pressing OK")

    def expect_end(self, action):
        """The program ends with exit code 0 and starts nothing."""
        code = self.launcher.wait(END_TIMEOUT, action)
        check(code == 0, f"{self.program} ended with exit code {code}")
        # Everything started from the stage ends, but the helper's windows.
        self.stage.settle(excluding=["noticehelper.exe"])
        e2e.expect_nothing_started(self.stage, self.program)

    def close(self):
        for process in self.processes:
            process.kill()


def check_window(session):
    """Place, size, styles; no caption bar; the application window hidden and a tool window."""
    window = session.notice
    left, top, width, height = NOTICE
    check((window["left"], window["top"]) == (left, top),
          f"window at {window['left']}, {window['top']}, not {left}, {top}")
    size = (window["right"] - window["left"], window["bottom"] - window["top"])
    check(size == (width, height), f"window of {size}, not {width} x {height}")
    check(window["style"] & (WS_CAPTION | WS_THICKFRAME) == 0,
          f"the window has a caption or frame (style {window['style']:#x})")
    check(window["style"] & WS_POPUP, f"not a popup window (style {window['style']:#x})")
    check(window["exstyle"] & WS_EX_LAYERED, "the window is not layered")
    check(window["exstyle"] & WS_EX_APPWINDOW == 0, "the window asks for a taskbar button")
    application = session.application_window()
    check(application is not None, "no application window")
    check(window["owner"] == application["hwnd"], "the window is not owned by the application")
    check(not application["visible"], "the application window (the taskbar button) is shown")
    check(application["exstyle"] & WS_EX_TOOLWINDOW, "the application window is no tool window")
    check(application["exstyle"] & WS_EX_APPWINDOW == 0, "the application window is an app window")


def check_pixels(session):
    """The outline against the backdrop, row by row; no key colour anywhere; the text drawn."""
    screen = Screen()
    check((screen.width, screen.height) == SCREEN, f"screen of {screen.width} x {screen.height}")
    left, top, width, height = NOTICE
    rows = outline()
    wrong = []
    for y in range(height):
        runs = rows[y]
        for x in range(width):
            see_through = runs is None or x < runs[0] or x >= width - runs[1]
            colour = screen.at(left + x, top + y)
            if see_through != near(colour, BACKDROP):
                wrong.append((x, y, colour))
    check(not wrong, f"{len(wrong)} pixels disagree with the outline, first {wrong[:5]}")
    keyed = screen.count((0, 0, *SCREEN), lambda colour: near(colour, KEY, 2))
    check(keyed == 0, f"{keyed} pixels of the key colour on the screen")
    # The backdrop all around the window is untouched.
    outside = screen.count((0, 0, SCREEN[0], top), lambda colour: not near(colour, BACKDROP))
    check(outside == 0, f"{outside} pixels above the window are not the backdrop")

    def dark(colour):
        return max(colour) < 90

    message = (left + MESSAGE[0], top + MESSAGE[1], MESSAGE[2], MESSAGE[3])
    inked = screen.count(message, dark)
    check(inked > 400, f"only {inked} dark pixels where the message is drawn")
    # The text stays in its label: no dark pixels in the panel between the text and the
    # button, nor left of the labels.
    check(screen.count((left + 8, top + 30, 20, 100), dark) == 0, "ink left of the text")
    return screen


def case_notice_window(stage, key, args):
    """Both programs: place and styles, the pixels on the screen, then OK with the pointer."""
    key.set(None)
    for program in ("pelorin", "spelorin"):
        session = Session(stage, args, program)
        try:
            check_window(session)
            check_pixels(session)
            session.press_ok()
        except Failure as failure:
            raise Failure(f"{program}: {failure}")
        finally:
            session.close()
        stage.forget_records()


def drag(start, offset, steps=8):
    x, y = start
    xdotool("mousemove", x - 2, y - 2)
    xdotool("mousemove", x, y)
    time.sleep(0.2)
    xdotool("mousedown", 1)
    time.sleep(0.2)
    for step in range(1, steps + 1):
        xdotool("mousemove", x + offset[0] * step // steps, y + offset[1] * step // steps)
        time.sleep(0.05)
    time.sleep(0.2)
    xdotool("mouseup", 1)
    time.sleep(0.4)


def case_notice_drag(stage, key, args):
    """Pressing on the panel and moving drags the window; pressing on the label or the
    button and moving does not (and a press on the button released outside it clicks
    nothing)."""
    key.set(None)
    session = Session(stage, args, "pelorin")
    try:
        left, top = session.place()
        drag((left + 200, top + 25), (60, 40))
        moved = session.place()
        check(moved == (left + 60, top + 40),
              f"dragging the panel from {left}, {top} by 60, 40 left it at {moved}")
        left, top = moved
        for name, (x, y, w, h) in (("label", MESSAGE), ("button", BUTTON)):
            drag((left + x + w // 2, top + y + h // 2), (-50, -70))
            check(session.place() == (left, top),
                  f"pressing on the {name} and moving moved the window to {session.place()}")
            check(session.launcher.running(), f"pressing on the {name} ended the program")
        session.press_ok()
    finally:
        session.close()


def panel_visible(screen, left, top):
    """The panel's plain parts (above the text, beside the button) show the panel."""
    points = [(left + 60, top + 30), (left + 340, top + 30), (left + 60, top + 150),
              (left + 340, top + 150)]
    return all(min(screen.at(x, y)) > 150 and not near(screen.at(x, y), COVER)
               for x, y in points)


def covered(screen, left, top):
    return near(screen.at(left + 60, top + 30), COVER) and near(screen.at(left + 340, top + 150),
                                                                COVER)


def case_notice_stacking(stage, key, args):
    """spelorin overtakes a window of another process brought in front of it, even a topmost
    one, within about half a second; pelorin stays behind a plain one."""
    key.set(None)
    left, top, width, height = NOTICE
    cover_rect = (left - 50, top - 50, width + 100, height + 100)
    for program, topmost in (("spelorin", True), ("pelorin", False)):
        session = Session(stage, args, program)
        try:
            check(panel_visible(Screen(), left, top), f"{program}: the panel is not shown")
            session.cover(*cover_rect, COVER, 10, topmost=topmost)
            shown = time.monotonic()
            first_covered = None
            overtaken = None
            while time.monotonic() < shown + 2.5:
                screen = Screen()
                now = time.monotonic()
                if covered(screen, left, top):
                    first_covered = first_covered or now
                elif panel_visible(screen, left, top) and first_covered:
                    overtaken = now
                    break
            if program == "spelorin":
                check(first_covered is not None or overtaken is not None,
                      "the cover never showed")
                check(overtaken is not None, "the cover was not overtaken within 2.5 s")
                # The cover appeared within the first capture; from then on, the timer's
                # 500 ms plus one capture.
                delay = overtaken - shown
                print(f"spelorin overtook the cover after {delay * 1000:.0f} ms")
                check(delay < 1.0, f"the cover was overtaken only after {delay:.2f} s")
            else:
                check(first_covered is not None, "pelorin: the cover never showed")
                check(overtaken is None, "pelorin came back in front of the cover")
                check(covered(Screen(), left, top), "pelorin: the cover did not stay in front")
            # Off with the cover, then end with OK.
            for process in session.processes[2:]:
                process.kill()
            time.sleep(0.5)
            session.press_ok()
        except Failure as failure:
            raise Failure(f"{program}: {failure}")
        finally:
            session.close()
        stage.forget_records()


def case_notice_keys(stage, key, args):
    """With the notice active, Enter, Escape and Space each end the program as OK does, in
    both programs; other keys (a letter, Tab) leave it up. The keys go to whichever window has
    the keyboard focus, which is the notice's own doing: the test never focuses it."""
    key.set(None)
    for program in ("pelorin", "spelorin"):
        for name in ("Return", "Escape", "space"):
            session = Session(stage, args, program)
            try:
                if name == "Return":
                    for other in ("a", "Tab"):
                        xdotool("key", other)
                        time.sleep(0.5)
                        check(session.launcher.running(), f"the key {other} ended it")
                        check(session.notice_window() is not None, f"the key {other} closed it")
                xdotool("key", name)
                session.expect_end(f"pressing {name}")
            except Failure as failure:
                raise Failure(f"{program}, {name}: {failure}")
            finally:
                session.close()
            stage.forget_records()


def case_broken_form(stage, key, args):
    """A program whose form resource is missing or corrupt (test builds of pelorin) shows the
    framework's exception report instead of the notice, titled with its file name, and ends
    with exit code 0 once the report is closed; it starts nothing."""
    key.set(None)
    stage.place(args.helper, "NoticeHelper.exe")
    stage.place(args.setup, "Support Disc\\setup.exe")
    for twin, report in ((args.noform, "Resource TMAINFORM not found."),
                         (args.badform, "Line 3: Unterminated string.")):
        name = twin.stem
        stage.place(twin, f"Support Disc\\{name}.exe")
        seen = []

        def look(_windows):
            for window in top_level_windows(stage):
                if window["visible"] and window["title"] in (name, "Velmora KVX Setup"):
                    texts = helper(stage, "texts", f"{window['hwnd']:x}").splitlines()
                    seen.append((window["title"], texts))

        rc = stage.run(f"Support Disc\\{name}.exe", before_close=look)
        try:
            check(rc == 0, f"ended with exit code {rc}")
            check(seen, "showed nothing")
            titles = {title for title, _ in seen}
            check(titles == {name}, f"showed windows titled {sorted(titles)}")
            check(report in seen[0][1], f"reported {seen[0][1]}, not {report!r}")
            e2e.expect_nothing_started(stage, name)
        except Failure as failure:
            raise Failure(f"{name}: {failure}")


CASES = {
    "broken_form": case_broken_form,
    "notice_window": case_notice_window,
    "notice_keys": case_notice_keys,
    "notice_drag": case_notice_drag,
    "notice_stacking": case_notice_stacking,
}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("case", choices=sorted(CASES))
    for name in ("pelorin", "spelorin", "setup", "helper"):
        parser.add_argument("--" + name, required=True, type=pathlib.Path)
    # Test builds of pelorin without and with a corrupt form resource (broken_form only).
    for name in ("noform", "badform"):
        parser.add_argument("--" + name, type=pathlib.Path)
    args = parser.parse_args()
    e2e.PROGRAMS.update(pelorin=args.pelorin, spelorin=args.spelorin)
    prefix = harness.wine_prefix()
    if prefix is None:
        return 2
    stage, key = e2e.open_stage(args.case, prefix)
    return harness.run_case(args.case, lambda: CASES[args.case](stage, key, args),
                            cleanup=(key.restore, stage.remove))


if __name__ == "__main__":
    sys.exit(main())
