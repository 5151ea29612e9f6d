#!/usr/bin/env python3
"""End-to-end test of the programs' DLL search: pelorin.exe, spelorin.exe and gallery.exe
run from a folder into which DLLs of ours were planted under the names of system libraries.

Wine prefers its own builtin DLLs, so the planted names are set native-first, as Windows
treats every DLL that is not a KnownDLL. A planted DLL leaves "<name>.dll.loaded" beside
itself whenever a process loads it (PlantedDll.cpp). The control program, which loads each
name by bare name, shows that the plant is live; then both paths of both launchers and the
gallery (which draws its transparent bitmaps through msimg32) must leave no marker. Run
under tools/wine/with-wine.sh:

    planted_e2e.py --pelorin P.exe --spelorin S.exe --setup FakeSetup.exe
                   --gallery gallery.exe --planted PlantedDll.dll --control BareNameLoad.exe
"""
import argparse
import os
import pathlib
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from harness import check  # noqa: E402
import launcher_e2e as e2e  # noqa: E402  (the stage, the framework key, the checks)

PLANTED = ["comctl32", "msimg32", "uxtheme", "dwmapi", "winmm", "usp10"]
FOLDER = "Downloads"


def native_first():
    """The prefix's overrides with the planted names native first."""
    overrides = [part for part in os.environ.get("WINEDLLOVERRIDES", "").split(";") if part]
    overrides.append(",".join(PLANTED) + "=n,b")
    return {"WINEDLLOVERRIDES": ";".join(overrides)}


def markers(stage):
    return sorted(path.name for path in stage.unix_path(FOLDER).glob("*.loaded"))


def forget_markers(stage):
    for path in stage.unix_path(FOLDER).glob("*.loaded"):
        path.unlink()


def run_planted(stage, args, key):
    environment = native_first()
    stage.place(args.control, f"{FOLDER}\\BareNameLoad.exe")
    for name in PLANTED:
        stage.place(args.planted, f"{FOLDER}\\{name}.dll")

    # The control: a bare-name load takes each planted copy. Without this the cases below
    # could pass because the plant is never found at all.
    for name in PLANTED:
        rc = stage.run(f"{FOLDER}\\BareNameLoad.exe", f"{name}.dll", environment=environment)
        check(rc == 0, f"BareNameLoad {name}.dll ended with {rc}")
        check(markers(stage) == [f"{name}.dll.loaded"],
                  f"the bare-name load of {name}.dll left {markers(stage)}")
        forget_markers(stage)

    for program in e2e.ARGUMENTS:
        stage.place(e2e.PROGRAMS[program], f"{FOLDER}\\{program}.exe")
    stage.place(args.setup, f"{FOLDER}\\setup.exe")
    stage.place(args.gallery, f"{FOLDER}\\gallery.exe")

    key.set(["v2.0.50727"])
    for program in e2e.ARGUMENTS:
        rc = stage.run(f"{FOLDER}\\{program}.exe", environment=environment)
        check(rc == 0, f"{program} (installer path) ended with exit code {rc}")
        e2e.expect_setup_started(stage, program, FOLDER)
        check(not markers(stage), f"{program} (installer path) loaded {markers(stage)}")
        stage.forget_records()

    key.set(None)
    for program in e2e.ARGUMENTS:
        rc = stage.run(f"{FOLDER}\\{program}.exe", environment=environment)
        check(rc == 0, f"{program} (notice path) ended with exit code {rc}")
        check(stage.windows_seen > 0, f"{program} showed no notice window")
        check(not markers(stage), f"{program} (notice path) loaded {markers(stage)}")
        e2e.expect_nothing_started(stage, program)

    rc = stage.run(f"{FOLDER}\\gallery.exe", environment=environment)
    check(rc == 0, f"the gallery ended with exit code {rc}")
    check(stage.windows_seen > 0, "the gallery showed no window")
    # It drew its transparent bitmaps, with the system's msimg32.
    check("msimg32.dll" in stage.loaded, "the gallery never loaded msimg32.dll")
    check(not markers(stage), f"the gallery loaded {markers(stage)}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for name in ("pelorin", "spelorin", "setup", "gallery", "planted", "control"):
        parser.add_argument("--" + name, required=True, type=pathlib.Path)
    args = parser.parse_args()
    e2e.PROGRAMS.update(pelorin=args.pelorin, spelorin=args.spelorin)
    prefix = harness.wine_prefix()
    if prefix is None:
        return 2
    stage, key = e2e.open_stage("planted_dlls", prefix)
    return harness.run_case("planted_dlls", lambda: run_planted(stage, args, key),
                            cleanup=(key.restore, stage.remove))


if __name__ == "__main__":
    sys.exit(main())
