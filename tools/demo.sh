#!/usr/bin/env bash
# The demo command: installs what is missing, builds pelorin.exe and spelorin.exe, and runs
# each under Wine twice from a support folder beside a stand-in setup.exe that records what
# it receives: once with a .NET Framework v2.0.50727 key (the installer path) and once
# without (the notice path). Prints what happened and the exit codes; a notice window left
# up is captured to build/demo/notice-<program>.png and closed with Alt+F4. Then shows the
# control gallery, works a few of its controls, captures it to build/demo/gallery.png and
# closes it.
#   tools/demo.sh
set -euo pipefail
root=$(dirname "$(dirname "$(realpath "$0")")")
cd "$root"
tools/install-deps.sh

build=${DEMO_BUILD:-build/demo}
mkdir -p "$build"
rm -f "$build"/notice-*.png "$build"/gallery.png
echo "building pelorin.exe and spelorin.exe in $build ..."
if ! { cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
           -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake &&
       cmake --build "$build" -j "${JOBS:-2}" --target pelorin spelorin FakeSetup gallery; } \
       >"$build/demo-build.log" 2>&1; then
    tail -30 "$build/demo-build.log"
    echo "build failed (full log: $build/demo-build.log)"
    exit 1
fi

status=0
tools/with-wine.sh "$build" python3 - "$build" <<'PY' || status=$?
import os, pathlib, subprocess, sys

sys.path.insert(0, "tests/e2e")
import launcher_e2e as e2e

build = pathlib.Path(sys.argv[1]).resolve()
prefix = pathlib.Path(os.environ["WINEPREFIX"])
stage = e2e.Stage("demo", prefix)
key = e2e.FrameworkKey(stage.unix / "framework.reg", stage.windows_path("framework.reg"))
for program in ("pelorin", "spelorin"):
    stage.place(build / "launcher" / f"{program}.exe", f"Support Disc\\{program}.exe")
stage.place(build / "tests/e2e/FakeSetup.exe", "Support Disc\\setup.exe")
print(f"support folder: {stage.windows_path('Support Disc')} (in the prefix {prefix})")


def screenshot(program):
    def take(windows):
        picture = build / f"notice-{program}.png"
        subprocess.run(["import", "-window", "root", str(picture)], capture_output=True)
        print(f"   a window was up ({len(windows)}): screenshot {picture}; closing it with Alt+F4")
    return take


failures = 0
try:
    for title, subkeys in (("with v2.0.50727 (installer path)", ["v1.1.4322", "v2.0.50727"]),
                           ("without a version 2 or later (notice path)", None)):
        key.set(subkeys)
        shown = "no key" if subkeys is None else ", ".join(subkeys)
        print(f"\n== .NET Framework key {title}: subkeys {shown}")
        for program in ("pelorin", "spelorin"):
            rc = stage.run(f"Support Disc\\{program}.exe", before_close=screenshot(program))
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
                notice = build / f"notice-{program}.png"
                if not notice.exists():
                    print("   no window was shown: the application object was initialised "
                          "and the program ended; the notice window is not in this build yet")
                failures += rc != 0 or record is not None
            stage.forget_records()
finally:
    key.restore()
    stage.remove()
print("\ndemo " + ("finished as expected" if not failures else f"found {failures} unexpected outcomes"))
sys.exit(1 if failures else 0)
PY

# The control gallery: shown, a few controls worked with the pointer, captured, closed.
tools/with-wine.sh "$build" python3 - "$build" <<'PY' || status=$?
import pathlib, subprocess, sys

sys.path.insert(0, "tests/e2e")
import gallery_e2e as g

build = pathlib.Path(sys.argv[1]).resolve()
picture = build / "gallery.png"
print("\n== the control gallery (gallery.exe)")
gallery = g.Gallery(build / "gallery" / "gallery.exe")
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
tools/wine-stop.sh "$build"
exit $status
