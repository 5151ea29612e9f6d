"""What every end-to-end driver needs: the failure type and its check, Windows programs under
Wine (started, waited for with a time limit, their exit code, cleaned up), the registry view
a program reads, the screen as captured, and the pointer and keyboard through xdotool.

The drivers run under tools/wine/with-wine.sh, which sets WINEPREFIX, DISPLAY and WINE (the
command that runs a program in that prefix: `wine`, or the 64-bit loader in a 64-bit one).
"""
import os
import pathlib
import struct
import subprocess
import sys

WINE_TIMEOUT = 60  # seconds for any one Wine command that is waited for


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def run(*command, timeout=15):
    """Runs a host command with a time limit; returns the completed process (text output)."""
    return subprocess.run(["timeout", "-k", "5", str(timeout), *map(str, command)],
                          stdin=subprocess.DEVNULL, capture_output=True, text=True,
                          errors="replace")


# --- Wine -------------------------------------------------------------------------------------

def wine_prefix():
    """The prefix of tools/wine/with-wine.sh, or None (with a word on stderr) outside it."""
    if "WINEPREFIX" not in os.environ or "DISPLAY" not in os.environ:
        print("run under tools/wine/with-wine.sh <build-dir> ...", file=sys.stderr)
        return None
    return pathlib.Path(os.environ["WINEPREFIX"])


def wine_loader():
    return os.environ.get("WINE", "wine")


def wine(*args, check_rc=True, timeout=WINE_TIMEOUT):
    """Runs a Windows command to its end; raises Failure on a non-zero exit when check_rc."""
    result = run(wine_loader(), *args, timeout=timeout)
    if check_rc and result.returncode != 0:
        raise Failure(f"wine {' '.join(map(str, args))} failed ({result.returncode}): "
                      f"{result.stderr.strip()}")
    return result


class WineProcess:
    """A Windows program started under Wine and not waited for. Ending the `with` block (or
    kill()) ends it if it is still running."""

    def __init__(self, *command, cwd=None, env=None, stdout=subprocess.DEVNULL,
                 stderr=subprocess.DEVNULL):
        self.name = pathlib.PureWindowsPath(str(command[0])).name
        self.process = subprocess.Popen([wine_loader(), *map(str, command)], cwd=cwd,
                                        env=dict(os.environ, **(env or {})),
                                        stdin=subprocess.DEVNULL, stdout=stdout, stderr=stderr)
        self.stdout = self.process.stdout

    def running(self):
        return self.process.poll() is None

    def poll(self):
        """The exit code, or None while the program runs."""
        return self.process.poll()

    returncode = property(poll)

    def wait(self, seconds, after="its start"):
        """The exit code; Failure when the program does not end within `seconds`."""
        try:
            return self.process.wait(seconds)
        except subprocess.TimeoutExpired:
            raise Failure(f"{self.name} did not end within {seconds} s of {after}") from None

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait()
        if self.stdout:
            self.stdout.close()

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.kill()


def wine_processes_mentioning(marker, excluding=()):
    """Unix pids of the Wine processes whose command line names `marker` but none of
    `excluding` (Wine shows a program's Windows path there). A stand-in for 'wineserver -w',
    which waits forever on the persistent server that tools/wine/with-wine.sh keeps."""
    marker = marker.lower().encode()
    excluding = [word.lower().encode() for word in excluding]
    pids = []
    for entry in pathlib.Path("/proc").iterdir():
        if not entry.name.isdigit() or int(entry.name) == os.getpid():
            continue
        try:
            command = (entry / "cmdline").read_bytes().lower()
        except OSError:
            continue
        if marker in command and not any(word in command for word in excluding):
            pids.append(int(entry.name))
    return pids


# --- programs and the registry ------------------------------------------------------------------

IMAGE_FILE_MACHINE = {0x014C: 32, 0x8664: 64}  # i386, AMD64


def program_bits(path):
    """32 or 64: what the PE header of a Windows program says it is built for."""
    data = pathlib.Path(path).read_bytes()[:4096]
    check(data[:2] == b"MZ", f"{path} is no Windows program")
    header = struct.unpack_from("<I", data, 0x3C)[0]
    check(data[header:header + 4] == b"PE\0\0", f"{path} has no PE header")
    machine = struct.unpack_from("<H", data, header + 4)[0]
    check(machine in IMAGE_FILE_MACHINE, f"{path} is built for machine {machine:#x}")
    return IMAGE_FILE_MACHINE[machine]


def registry_view(bits):
    """The reg.exe switch for the HKLM view a program of that many bits reads: a 32-bit
    program on a 64-bit system sees the 32-bit view (WOW6432Node), a 64-bit one the other."""
    check(bits in (32, 64), f"no registry view for {bits}-bit programs")
    return f"/reg:{bits}"


# --- the screen and the pointer ------------------------------------------------------------------

class Screen:
    """The whole screen as ImageMagick's import reads it, as packed RGB bytes. (xwd reads the
    parts of a shaped window that are cut away as black under Xvfb; import shows what lies
    below.)"""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    get = at

    def count(self, rect, predicate):
        """How many pixels of the rectangle (left, top, width, height) satisfy predicate."""
        left, top, width, height = rect
        return sum(predicate(self.at(x, y)) for y in range(top, top + height)
                   for x in range(left, left + width))

    def rows(self, left, top, width, height):
        """The pixels of a rectangle inside the screen, as rows of (r, g, b) tuples."""
        check(0 <= left and 0 <= top and left + width <= self.width and
              top + height <= self.height,
              f"region {left},{top} {width}x{height} lies off the screen")
        rows = []
        for y in range(top, top + height):
            line = self.data[(y * self.width + left) * 3:(y * self.width + left + width) * 3]
            rows.append([tuple(line[i:i + 3]) for i in range(0, len(line), 3)])
        return rows

    def find(self, colours):
        """The first place (x, y) where the colours follow each other in a row, or None."""
        needle = bytes(c for colour in colours for c in colour)
        at = self.data.find(needle)
        while at >= 0 and at % 3:
            at = self.data.find(needle, at + 1)
        return None if at < 0 else ((at // 3) % self.width, (at // 3) // self.width)


def parse_ppm(data):
    """A Screen from a binary PPM ("P6", width, height, 255, each followed by white space)."""
    fields, position = [], 0
    while len(fields) < 4:
        while data[position:position + 1].isspace():
            position += 1
        end = position
        while end < len(data) and not data[end:end + 1].isspace():
            end += 1
        fields.append(data[position:end])
        position = end
    check(fields[0] == b"P6" and fields[3] == b"255", f"unexpected capture {fields}")
    width, height = int(fields[1]), int(fields[2])
    pixels = data[position + 1:position + 1 + width * height * 3]
    check(len(pixels) == width * height * 3, "a capture cut short")
    return Screen(width, height, pixels)


def screenshot():
    result = subprocess.run(["timeout", "20", "import", "-window", "root", "-depth", "8",
                             "ppm:-"], stdin=subprocess.DEVNULL, capture_output=True)
    check(result.returncode == 0, f"import failed: {result.stderr.decode(errors='replace')}")
    return parse_ppm(result.stdout)


def near(colour, wanted, tolerance=8):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, wanted))


def xdotool(*args):
    """Runs xdotool; Failure when it fails. Returns what it printed."""
    result = run("xdotool", *args, timeout=10)
    check(result.returncode == 0,
          f"xdotool {' '.join(map(str, args))} failed: {result.stderr.strip()}")
    return result.stdout


def visible_windows_of(pids):
    """X windows that Wine shows for the given processes (Wine sets _NET_WM_PID)."""
    windows = []
    for pid in pids:
        windows += run("xdotool", "search", "--onlyvisible", "--pid", pid,
                       timeout=10).stdout.split()
    return windows


def close_windows(windows):
    """Closes windows as a user would: focus, then Alt+F4. A window that is gone meanwhile is
    no failure."""
    for window in windows:
        run("xdotool", "windowfocus", "--sync", window, timeout=10)
        run("xdotool", "key", "--clearmodifiers", "alt+F4", timeout=10)


# --- the drivers' entry -----------------------------------------------------------------------

def run_case(name, body, cleanup=()):
    """Runs body(); prints "passed NAME" or "FAILED NAME: why" and returns the exit code
    (0 or 1). The cleanup callables run afterwards, whatever happened."""
    try:
        body()
    except Failure as failure:
        print(f"FAILED {name}: {failure}", file=sys.stderr)
        return 1
    finally:
        for step in cleanup:
            step()
    print(f"passed {name}")
    return 0
