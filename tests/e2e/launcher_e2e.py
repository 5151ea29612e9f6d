#!/usr/bin/env python3
"""End-to-end tests of pelorin.exe and spelorin.exe: the real programs under Wine.

Each case lays out a folder inside the Wine prefix's drive C (the launcher, a stand-in
setup.exe that records its arguments and current directory, and a decoy at the name an
unquoted command would be cut to), sets the subkeys of the .NET Framework key, runs a
program and checks its exit code and what was started. Run under tools/wine/with-wine.sh:

    launcher_e2e.py CASE --pelorin P.exe --spelorin S.exe --setup FakeSetup.exe --bare B.exe
"""
import argparse
import os
import pathlib
import re
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Failure, check, wine  # noqa: E402
import harness  # noqa: E402

FRAMEWORK_KEY = r"HKLM\software\Microsoft\.NETFramework"
RUN_TIMEOUT = 60  # seconds for one run of a launcher, notice window included
SETTLE_TIMEOUT = 30  # seconds for the processes a run started to end


class FrameworkKey:
    """Sets the subkeys of the .NET Framework key for one case and puts back what the prefix
    had before (saved with reg export). The key is set in the registry view that programs of
    `bits` bits read."""

    def __init__(self, saved: pathlib.Path, windows_saved: str, bits=32):
        self.saved, self.windows_saved = saved, windows_saved
        self.view = harness.registry_view(bits)
        self.existed = self.reg("export", FRAMEWORK_KEY, windows_saved, "/y",
                                check_rc=False).returncode == 0

    def reg(self, *args, check_rc=True):
        return wine("reg", *args, self.view, check_rc=check_rc)

    def set(self, subkeys):
        """subkeys: names to create below the key, or None for no key at all."""
        self.reg("delete", FRAMEWORK_KEY, "/f", check_rc=False)
        if subkeys is None:
            return
        self.reg("add", FRAMEWORK_KEY, "/f")
        for name in subkeys:
            self.reg("add", FRAMEWORK_KEY + "\\" + name, "/f")

    def restore(self):
        self.reg("delete", FRAMEWORK_KEY, "/f", check_rc=False)
        if self.existed:
            self.reg("import", self.windows_saved)


def loaded_by_program(trace, program):
    """File names of the DLLs in a +loaddll trace that were loaded by the thread that loaded
    the module `program` (a file name): the program run. Other processes log with other
    thread ids: its children, and the wineboot that a program starts first when the prefix's
    services had ended."""
    loaded, thread = set(), None
    for line in trace.splitlines():
        match = re.match(r"([0-9a-f]+):trace:loaddll:\w+ Loaded L\"([^\"]+)\"", line)
        if not match:
            continue
        name = match.group(2).replace("\\\\", "\\").rsplit("\\", 1)[-1].lower()
        if thread is None and name == program.lower():
            thread = match.group(1)
        if match.group(1) == thread:
            loaded.add(name)
    return loaded


class Stage:
    """A folder C:\\e2e\\<name> of the prefix, made empty for one case and removed after."""

    def __init__(self, name, prefix):
        self.drive_c = prefix / "drive_c"
        self.unix = self.drive_c / "e2e" / name
        self.windows = "C:\\e2e\\" + name
        self.marker = self.windows[2:] + "\\"  # \e2e\<name>\ in a process's command line
        shutil.rmtree(self.unix, ignore_errors=True)
        self.records = self.unix / "records"
        self.records.mkdir(parents=True)

    def unix_path(self, relative):
        return self.unix.joinpath(*relative.split("\\"))

    def windows_path(self, relative):
        return self.windows + "\\" + relative

    def place(self, source, relative):
        target = self.unix_path(relative)
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(source, target)

    def run(self, relative, *arguments, before_close=None, environment=None):
        """Runs a program of the stage from another folder; returns its exit code. The DLLs
        the program itself loaded are left in self.loaded (lower-case file names). A window
        it leaves up is closed with Alt+F4, after before_close(windows) when given; how many
        were up at most is left in self.windows_seen. `environment` adds or replaces
        variables."""
        environment = dict(FAKE_SETUP_RECORDS=self.windows + "\\records",
                           WINEDEBUG="-all,+loaddll", **(environment or {}))
        trace = self.unix / "loaddll.log"
        with open(trace, "wb") as log, \
                harness.WineProcess(self.windows_path(relative), *arguments, cwd=self.drive_c,
                                    env=environment, stderr=log) as process:
            self._wait(process, relative, before_close)
        self.loaded = loaded_by_program(trace.read_text(errors="replace"),
                                        relative.rsplit("\\", 1)[-1])
        trace.unlink()
        return process.returncode

    def _wait(self, process, relative, before_close):
        start = time.monotonic()
        next_look = start + 1.5
        self.windows_seen = 0
        while process.running() and time.monotonic() < start + RUN_TIMEOUT:
            time.sleep(0.1)
            if time.monotonic() < next_look:
                continue
            # A window still up after a few seconds is the notice: close it as a user would,
            # and again a while later if it is still there.
            next_look = time.monotonic() + 2
            windows = harness.visible_windows_of(harness.wine_processes_mentioning(self.marker))
            if windows:
                self.windows_seen = max(self.windows_seen, len(windows))
                if before_close:
                    before_close(windows)
                harness.close_windows(windows)
        check(not process.running(), f"{relative} did not end within {RUN_TIMEOUT} s")
        self.settle()

    def settle(self, excluding=()):
        """Waits until no process started from this stage is left (but those whose command
        line names one of `excluding`)."""
        deadline = time.monotonic() + SETTLE_TIMEOUT
        while harness.wine_processes_mentioning(self.marker, excluding):
            check(time.monotonic() < deadline, "started programs did not end")
            time.sleep(0.1)

    def record(self, program):
        """What the stand-in installer placed as `program` received, or None."""
        path = self.records / (program + ".record")
        if not path.exists():
            return None
        arguments, fields = [], {}
        for line in path.read_text(encoding="utf-8", errors="replace").splitlines():
            key, _, value = line.partition("=")
            if key == "argument":
                arguments.append(value)
            else:
                fields[key] = value
        check(int(fields["arguments"]) == len(arguments), f"broken record {path}")
        return {"arguments": arguments, "directory": fields["directory"],
                "command": fields["command"]}

    def forget_records(self):
        for path in self.records.iterdir():
            path.unlink()

    def remove(self):
        shutil.rmtree(self.unix, ignore_errors=True)
        try:
            self.unix.parent.rmdir()  # C:\e2e, when no other case is left in it
        except OSError:
            pass


ARGUMENTS = {"pelorin": [], "spelorin": ["-s"]}
OLDER_ONLY = ["v1.1.4322", "policy"]


def launch(stage, program, folder):
    rc = stage.run(f"{folder}\\{program}.exe")
    check(rc == 0, f"{program} ended with exit code {rc}")


def expect_setup_started(stage, program, folder):
    record = stage.record("setup.exe")
    check(record is not None, f"{program} did not start {folder}\\setup.exe")
    check(record["arguments"] == ARGUMENTS[program],
          f"{program}: setup.exe received {record['arguments']}")
    check(record["directory"] == stage.windows_path(folder),
          f"{program}: setup.exe ran in {record['directory']}")
    check(stage.record("Support.exe") is None, f"{program} started the decoy Support.exe")


WINDOW_LIBRARIES = {"user32.dll", "gdi32.dll", "comctl32.dll", "msimg32.dll", "shell32.dll"}


def expect_no_window_library(stage, program):
    """The installer path initialises no application object and makes no window: it loads
    none of the window libraries at all."""
    check(stage.loaded, f"{program}: no DLL loads traced")
    loaded = sorted(stage.loaded & WINDOW_LIBRARIES)
    check(not loaded, f"{program} loaded {loaded} on the installer path")


def expect_nothing_started(stage, program):
    started = sorted(path.name for path in stage.records.iterdir())
    check(not started, f"{program} started {started}")


def support_disc(stage, setup, program=None, with_setup=True):
    """C:\\e2e\\<case>\\Support Disc\\ with the launcher(s) and setup.exe, and the decoy
    C:\\e2e\\<case>\\Support.exe that an unquoted command would start instead."""
    for name in [program] if program else ARGUMENTS:
        stage.place(PROGRAMS[name], f"Support Disc\\{name}.exe")
    if with_setup:
        stage.place(setup, "Support Disc\\setup.exe")
    stage.place(setup, "Support.exe")


def case_installer_path(stage, key, args):
    """With v2.0.50727 beside older names, each program starts setup.exe from its own folder,
    in that folder, quoted (the decoy is left alone), with "-s" for spelorin only."""
    support_disc(stage, args.setup)
    key.set(OLDER_ONLY + ["v2.0.50727"])
    for program in ARGUMENTS:
        launch(stage, program, "Support Disc")
        expect_setup_started(stage, program, "Support Disc")
        expect_no_window_library(stage, program)
        stage.forget_records()


def case_decoy_is_real(stage, key, args):
    """The decoy would catch an unquoted command: the same start without quotes runs
    Support.exe. Without this the quoting cases could pass for the wrong reason. Naming the
    program in full, as the launchers do, reaches setup.exe even with that command."""
    support_disc(stage, args.setup)
    stage.place(args.bare, "BareLaunch.exe")
    # Wine quotes a Unix argument that holds a space: split the path into words, so that the
    # Windows command line BareLaunch receives and passes on is unquoted.
    words = stage.windows_path("Support Disc\\setup.exe").split(" ")
    rc = stage.run("BareLaunch.exe", *words, "-s")
    check(rc == 0, f"BareLaunch ended with {rc}")
    check(stage.record("Support.exe") is not None, "the unquoted start did not reach the decoy")
    check(stage.record("setup.exe") is None, "the unquoted start reached setup.exe")
    stage.forget_records()

    # The same unquoted command with the program named in full, as the launchers name it,
    # starts setup.exe: the name decides, and the system searches nothing.
    rc = stage.run("BareLaunch.exe", *words, "-s", environment={
        "BARE_LAUNCH_APPLICATION": stage.windows_path("Support Disc\\setup.exe")})
    check(rc == 0, f"BareLaunch ended with {rc}")
    check(stage.record("Support.exe") is None, "the named start reached the decoy")
    record = stage.record("setup.exe")
    check(record is not None, "the named start did not reach setup.exe")
    check(record["arguments"] == ["Disc\\setup.exe", "-s"],
          f"setup.exe received {record['arguments']}")


def case_accepted_names(stage, key, args):
    """Names of version 2 or later, in any case, lead to the installer start."""
    support_disc(stage, args.setup, "pelorin")
    for subkeys in (["V2.0.50727"], ["v4.0.30319"], ["policy", "v3.5"], ["v2"]):
        key.set(subkeys)
        launch(stage, "pelorin", "Support Disc")
        try:
            expect_setup_started(stage, "pelorin", "Support Disc")
        except Failure as failure:
            raise Failure(f"subkeys {subkeys}: {failure}")
        stage.forget_records()


def case_notice_path(stage, key, args):
    """Without a framework of version 2 or later a window is shown instead, nothing is
    started, and the exit code is 0 once the window is closed: older names only, a two-digit
    major version, a key without subkeys, no key at all."""
    support_disc(stage, args.setup)
    for subkeys in (OLDER_ONLY, ["v10.0", "v1.0.3705", "upgrades"], [], None):
        key.set(subkeys)
        for program in ARGUMENTS:
            try:
                launch(stage, program, "Support Disc")
                expect_nothing_started(stage, program)
                check(stage.windows_seen > 0, f"{program} showed no notice window")
            except Failure as failure:
                raise Failure(f"subkeys {subkeys}: {failure}")


def case_missing_setup(stage, key, args):
    """A folder without setup.exe: the start fails silently (exit code 0) and nothing else,
    the decoy included, is started in its place."""
    support_disc(stage, args.setup, with_setup=False)
    key.set(["v2.0.50727"])
    for program in ARGUMENTS:
        launch(stage, program, "Support Disc")
        expect_nothing_started(stage, program)


def case_deep_folder(stage, key, args):
    """A folder so deep that the program's path needs a 512-character buffer and spelorin's
    command is longer than 260 characters: it is read and started whole."""
    folder_width = 247  # C:\e2e\deep_folder\Support Disc\...\ with its trailing backslash
    folder = "Support Disc"
    while len(stage.windows_path(folder)) + 1 < folder_width:
        room = folder_width - len(stage.windows_path(folder)) - 2  # for one more name
        size = min(room, 30)
        if room - size == 1:
            size -= 1  # leave no single character that a name cannot fill
        name = ("deep folder " * 3)[:size]
        folder += "\\" + (name[:-1] + "x" if name.endswith(" ") else name)
    folder_path = stage.windows_path(folder) + "\\"
    check(len(folder_path) == folder_width, f"folder of {len(folder_path)} characters")
    check(len(folder_path + "pelorin.exe") > 256, "path fits a 256-character buffer")
    command = '"' + folder_path + 'setup.exe" -s'
    check(len(command) > 260, f"command of only {len(command)} characters")

    for program in ARGUMENTS:
        stage.place(PROGRAMS[program], f"{folder}\\{program}.exe")
    stage.place(args.setup, f"{folder}\\setup.exe")
    key.set(["v2.0.50727"])
    for program in ARGUMENTS:
        launch(stage, program, folder)
        expect_setup_started(stage, program, folder)
        record = stage.record("setup.exe")
        check(record["command"].startswith('"' + folder_path + 'setup.exe"'),
              f"{program}: command {record['command']}")
        stage.forget_records()


def case_unicode_folder(stage, key, args):
    """A folder named in characters the prefix's ANSI code page (1252) cannot hold, Cyrillic
    and CJK: each program still starts setup.exe from there, in that folder, with its
    arguments. (Read through the ANSI functions, the folder comes back with '?' for those
    characters and nothing starts.)"""
    # Wine takes the Unix names and the program's path from the locale's character set.
    utf8 = {"LC_ALL": "C.UTF-8"}
    key.set(["v2.0.50727"])
    for folder in ("\u0423\u0441\u0442\u0430\u043d\u043e\u0432\u043a\u0430", "\u5b89\u88c5\u5149\u76d8"):
        for program in ARGUMENTS:
            stage.place(PROGRAMS[program], f"{folder}\\{program}.exe")
        stage.place(args.setup, f"{folder}\\setup.exe")
        for program in ARGUMENTS:
            rc = stage.run(f"{folder}\\{program}.exe", environment=utf8)
            check(rc == 0, f"{program} in {folder} ended with exit code {rc}")
            try:
                expect_setup_started(stage, program, folder)
            except Failure as failure:
                raise Failure(f"folder {folder}: {failure}")
            stage.forget_records()


CASES = {
    "installer_path": case_installer_path,
    "decoy_is_real": case_decoy_is_real,
    "accepted_names": case_accepted_names,
    "notice_path": case_notice_path,
    "missing_setup": case_missing_setup,
    "deep_folder": case_deep_folder,
    "unicode_folder": case_unicode_folder,
}
PROGRAMS = {}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("case", choices=sorted(CASES))
    for name in ("pelorin", "spelorin", "setup", "bare"):
        parser.add_argument("--" + name, required=True, type=pathlib.Path)
    args = parser.parse_args()
    PROGRAMS.update(pelorin=args.pelorin, spelorin=args.spelorin)
    prefix = harness.wine_prefix()
    if prefix is None:
        return 2
    stage, key = open_stage(args.case, prefix)
    return harness.run_case(args.case, lambda: CASES[args.case](stage, key, args),
                            cleanup=(key.restore, stage.remove))


def open_stage(name, prefix):
    """The stage of a case and the framework key, in the view the programs under test read."""
    stage = Stage(name, prefix)
    bits = harness.program_bits(PROGRAMS["pelorin"])
    return stage, FrameworkKey(stage.unix / "framework.reg", stage.windows_path("framework.reg"),
                               bits)


if __name__ == "__main__":
    sys.exit(main())
