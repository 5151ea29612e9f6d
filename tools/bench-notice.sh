#!/usr/bin/env bash
# Measures the notice path of pelorin.exe against BarePopup.exe, a program of ours that only
# shows a 400 x 190 popup: the time from the start of each until its window is shown and
# until its first frame is on the screen (StartupTimer.exe watches a pixel of the panel that
# both paint in RGB(232, 232, 238)), 20 runs of each under Wine, alternating, with their
# medians and the ratio of the medians (target <= 1.2); then the sizes of both programs.
# A benchmark, not a test: it prints figures and fails only when it cannot measure.
#   tools/bench-notice.sh [windows build folder, default build/win] [runs, default 20]
set -euo pipefail
root=$(dirname "$(dirname "$(realpath "$0")")")
cd "$root"
build=${1:-build/win}
runs=${2:-20}

if [ ! -f "$build/build.ninja" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
          -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
fi
cmake --build "$build" -j "${JOBS:-2}" --target shipped BarePopup StartupTimer >/dev/null

exec tools/with-wine.sh "$build" python3 - "$build" "$runs" <<'PY'
import os, pathlib, re, shutil, statistics, subprocess, sys

build, runs = pathlib.Path(sys.argv[1]), int(sys.argv[2])
key = r"HKLM\software\Microsoft\.NETFramework"
drive_c = pathlib.Path(os.environ["WINEPREFIX"]) / "drive_c"
stage = drive_c / "bench-notice"
windows = "C:\\bench-notice\\"
# A pixel of the panel above the text: (512, 319) on a 1024 x 768 screen, in both windows.
probe = ["512", "319", "E8E8EE"]


def wine(*args, check=True):
    result = subprocess.run(["timeout", "-k", "5", "90", "wine", *args], cwd=drive_c,
                            stdin=subprocess.DEVNULL, capture_output=True, text=True)
    if check and result.returncode != 0:
        sys.exit(f"wine {' '.join(args)} failed with {result.returncode}: {result.stderr}")
    return result


def timed(program):
    out = wine(windows + "StartupTimer.exe", windows + program, *probe).stdout
    match = re.search(r"shown=([\d.]+) painted=([\d.]+)", out)
    if not match:
        sys.exit(f"no timing from {program}: {out!r}")
    return float(match.group(1)), float(match.group(2))


shutil.rmtree(stage, ignore_errors=True)
stage.mkdir(parents=True)
for name, source in (("pelorin.exe", "shipped/launcher/pelorin.exe"), ("BarePopup.exe", "tools/BarePopup.exe"),
                     ("StartupTimer.exe", "tools/StartupTimer.exe")):
    shutil.copyfile(build / source, stage / name)
saved = windows + "framework.reg"
had_key = wine("reg", "export", key, saved, "/y", "/reg:32", check=False).returncode == 0
wine("reg", "delete", key, "/f", "/reg:32", check=False)
try:
    programs = {"pelorin.exe (notice path)": "pelorin.exe",
                "BarePopup.exe (400 x 190 popup)": "BarePopup.exe"}
    times = {name: [] for name in programs}
    for run in range(runs + 2):  # the first two rounds warm the caches and are not counted
        for name, program in programs.items():
            measured = timed(program)
            if run >= 2:
                times[name].append(measured)
finally:
    if had_key:
        wine("reg", "import", saved)
    shutil.rmtree(stage, ignore_errors=True)

medians = {}
for name, values in times.items():
    shown = statistics.median(v[0] for v in values)
    painted = statistics.median(v[1] for v in values)
    medians[name] = (shown, painted)
    print(f"{name:34} shown: median {shown:6.1f} ms   first frame: median {painted:6.1f} ms"
          f" (min {min(v[1] for v in values):.1f}, max {max(v[1] for v in values):.1f})"
          f" over {runs} runs")
notice, bare = medians.values()
print(f"{'ratio notice / bare':34} shown: {notice[0] / bare[0]:.3f}   first frame:"
      f" {notice[1] / bare[1]:.3f} (target <= 1.2)")
for program in ("pelorin", "spelorin"):
    size = (build / "shipped/launcher" / f"{program}.exe").stat().st_size
    print(f"{program + '.exe size':34} {size} bytes = {size / 1024:.1f} KiB (target <= 512 KiB)")
PY
