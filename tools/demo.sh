#!/usr/bin/env bash
# The demo command: installs what is missing, builds pelorin.exe and spelorin.exe as they ship
# (build/demo/shipped), and runs each under Wine twice from a support folder beside a stand-in
# setup.exe that records what it receives: once with a .NET Framework v2.0.50727 key (the installer path) and once
# without (the notice path). Prints what happened and the exit codes. On the notice path the
# window comes up in front of a backdrop window, is captured to build/demo/notice-<program>.png
# and is closed by pressing its OK button with the pointer (xdotool). Then shows the
# control gallery, works a few of its controls, captures it to build/demo/gallery.png and
# closes it.
#   tools/demo.sh
set -euo pipefail
root=$(dirname "$(dirname "$(realpath "$0")")")
cd "$root"
tools/deps/install-deps.sh

preset=windows-tests
build=${DEMO_BUILD:-build/demo}
if ! tools/wine/wine-usable.sh 2>/dev/null && tools/wine/wine-usable.sh 64; then
    # This machine runs no 32-bit programs: the demo shows the programs' 64-bit twins.
    preset=windows-tests-64
    build=${DEMO_BUILD:-build/demo64}
    export WINEARCH=win64
fi
mkdir -p "$build"
rm -f "$build"/notice-*.png "$build"/gallery.png
echo "building pelorin.exe and spelorin.exe in $build ..."
if ! { cmake --preset "$preset" -B "$build" &&
       cmake --build "$build" -j "${JOBS:-2}" \
             --target shipped FakeSetup NoticeHelper; } \
       >"$build/demo-build.log" 2>&1; then
    tail -30 "$build/demo-build.log"
    echo "build failed (full log: $build/demo-build.log)"
    exit 1
fi

status=0
tools/wine/with-wine.sh "$build" python3 - "$build" <<'PY' || status=$?
import os, pathlib, subprocess, sys

sys.path.insert(0, "tests/e2e")
import launcher_e2e as e2e
import notice_e2e as notice

build = pathlib.Path(sys.argv[1]).resolve()
prefix = pathlib.Path(os.environ["WINEPREFIX"])
stage = e2e.Stage("demo", prefix)
# In the registry view the programs read (a 64-bit twin reads the 64-bit one).
bits = e2e.harness.program_bits(build / "shipped/launcher/pelorin.exe")
key = e2e.FrameworkKey(stage.unix / "framework.reg", stage.windows_path("framework.reg"), bits)
for program in ("pelorin", "spelorin"):
    stage.place(build / "shipped/launcher" / f"{program}.exe", f"Support Disc\\{program}.exe")
stage.place(build / "tests/e2e/FakeSetup.exe", "Support Disc\\setup.exe")
print(f"support folder: {stage.windows_path('Support Disc')} (in the prefix {prefix})")


class Programs:
    pelorin = build / "shipped/launcher/pelorin.exe"
    spelorin = build / "shipped/launcher/spelorin.exe"
    setup = build / "tests/e2e/FakeSetup.exe"
    helper = build / "tests/e2e/NoticeHelper.exe"


e2e.PROGRAMS.update(pelorin=Programs.pelorin, spelorin=Programs.spelorin)


def show_notice(program):
    """Starts the program in front of a backdrop window, captures its notice and presses OK
    with the pointer; returns the exit code."""
    session = None
    try:
        session = notice.Session(stage, Programs, program)
        left, top = session.place()
        picture = build / f"notice-{program}.png"
        # The window and a margin of the backdrop around it.
        subprocess.run(["import", "-window", "root", "-crop", f"440x230+{left - 20}+{top - 20}",
                        "+repage", str(picture)], check=True, capture_output=True)
        print(f"   the notice window is up at {left}, {top} (400 x 190): screenshot {picture}")
        try:
            session.press_ok()
            print("   OK pressed with the pointer")
        except notice.Failure as failure:
            print(f"   after pressing OK: {failure}")
        return session.launcher.poll()
    except notice.Failure as failure:
        print(f"   no notice window: {failure}")
        return None
    finally:
        if session:
            session.close()


failures = 0
try:
    for title, subkeys in (("with v2.0.50727 (installer path)", ["v1.1.4322", "v2.0.50727"]),
                           ("without a version 2 or later (notice path)", None)):
        key.set(subkeys)
        shown = "no key" if subkeys is None else ", ".join(subkeys)
        print(f"\n== .NET Framework key {title}: subkeys {shown}")
        for program in ("pelorin", "spelorin"):
            if subkeys is None:
                rc = show_notice(program)
            else:
                rc = stage.run(f"Support Disc\\{program}.exe")
            print(f"-- {program}.exe ended with exit code {rc}")
            record = stage.record("setup.exe")
            if record:
                arguments = " ".join(record["arguments"]) or "(none)"
                print(f"   setup.exe was started: arguments {arguments}; current directory "
                      f"{record['directory']}; command line {record['command']}")
            else:
                print("   nothing was started")
            windows = sorted(stage.loaded & e2e.WINDOW_LIBRARIES)
            if subkeys is not None:
                print(f"   window libraries loaded: {', '.join(windows) or 'none'}")
                failures += rc != 0 or record is None or bool(windows)
            else:
                shown = (build / f"notice-{program}.png").exists()
                failures += rc != 0 or record is not None or not shown
            stage.forget_records()
finally:
    key.restore()
    stage.remove()
print("\ndemo " + ("finished as expected" if not failures else f"found {failures} unexpected outcomes"))
sys.exit(1 if failures else 0)
PY

# The control gallery: shown, a few controls worked with the pointer, captured, closed.
tools/wine/with-wine.sh "$build" python3 - "$build" <<'PY' || status=$?
import pathlib, subprocess, sys

sys.path.insert(0, "tests/e2e")
import gallery_e2e as g

build = pathlib.Path(sys.argv[1]).resolve()
picture = build / "gallery.png"
print("\n== the control gallery (gallery.exe)")
gallery = g.Gallery(build / "shipped/gallery/gallery.exe")
try:
    mapped, (_, painted) = gallery.find()
    print(f"   shown within {painted:.1f} s of the start")
    gallery.click(g.CHECK[0] + 10, g.CHECK[1] + 10)  # the check box goes grayed
    x, y = g.HBAR[0] + g.HBAR_ORIGIN[0], g.HBAR[1] + g.HBAR_ORIGIN[1]
    gallery.move(x, y)
    gallery.press()
    for step in range(1, 8):
        gallery.move(x + 6 * step, y)  # the display follows: 4.2
    gallery.release()
    gallery.move(g.CAPTION_BRICK[0] + 60, g.CAPTION_BRICK[1] + 16)  # the brick lights up
    gallery.wait_for(g.BAR_LED, g.showing("88.8", [None, 4, True, 2]), "4.2 on the display")
    subprocess.run(["import", "-window", gallery.window, str(picture)], check=True)
    print(f"   check box clicked, bar dragged 42 pixels, pointer on a brick: screenshot {picture}")
    gallery.close()
    code = gallery.exit_code()
    print(f"-- gallery.exe ended with exit code {code} after Alt+F4")
except g.Failure as failure:
    print(f"   the gallery did not behave: {failure}")
    code = None
finally:
    gallery.kill()
sys.exit(0 if code == 0 else 1)
PY
tools/wine/wine-stop.sh "$build"
exit $status
