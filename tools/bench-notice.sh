#!/usr/bin/env bash
# Measures the notice path of pelorin.exe against BarePopup.exe, a program of ours that only
# shows a 400 x 190 popup: the time from the start of each until its window is shown and
# until its first frame is on the screen (StartupTimer.exe watches a pixel of the panel that
# both paint in RGB(232, 232, 238)), 40 runs of each under Wine, alternating, with the
# ratios of their medians (first frame: target <= 1.15) and of their best quartiles; then
# the sizes of both programs. A benchmark, not a test: it prints figures and fails only
# when it cannot measure.
#   tools/bench-notice.sh [windows build folder, default build/win] [runs, default 40]
set -euo pipefail
root=$(dirname "$(dirname "$(realpath "$0")")")
cd "$root"
build=${1:-build/win}
runs=${2:-40}

if [ ! -f "$build/build.ninja" ]; then
    cmake --preset windows-tests -B "$build" >/dev/null
fi
cmake --build "$build" -j "${JOBS:-2}" --target shipped BarePopup StartupTimer >/dev/null

exec tools/wine/with-wine.sh "$build" python3 - "$build" "$runs" <<'PY'
import os, pathlib, re, shutil, statistics, subprocess, sys

build, runs = pathlib.Path(sys.argv[1]), int(sys.argv[2])
key = r"HKLM\software\Microsoft\.NETFramework"
# The registry view the programs read: 64-bit builds read the 64-bit one.
view = "/reg:64" if os.environ.get("WINEARCH") == "win64" else "/reg:32"
drive_c = pathlib.Path(os.environ["WINEPREFIX"]) / "drive_c"
stage = drive_c / "bench-notice"
windows = "C:\\bench-notice\\"
# A pixel of the panel above the text: (512, 319) on a 1024 x 768 screen, in both windows.
probe = ["512", "319", "E8E8EE"]


def wine(*args, check=True):
    result = subprocess.run(["timeout", "-k", "5", "90", os.environ.get("WINE", "wine"), *args], cwd=drive_c,
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
for name, source in (("pelorin.exe", "shipped/launcher/pelorin.exe"), ("BarePopup.exe", "tools/bench/BarePopup.exe"),
                     ("StartupTimer.exe", "tools/bench/StartupTimer.exe")):
    shutil.copyfile(build / source, stage / name)
saved = windows + "framework.reg"
had_key = wine("reg", "export", key, saved, "/y", view, check=False).returncode == 0
wine("reg", "delete", key, "/f", view, check=False)
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

def best_quartile(values):
    """The first quartile: the time the fastest quarter of the runs stay within."""
    return statistics.quantiles(values, n=4, method="inclusive")[0]


figures = {}
for name, values in times.items():
    shown = [v[0] for v in values]
    painted = [v[1] for v in values]
    figures[name] = [(statistics.median(s), best_quartile(s)) for s in (shown, painted)]
    (shown_median, shown_best), (painted_median, painted_best) = figures[name]
    print(f"{name:34} shown: median {shown_median:6.1f} ms, best quartile {shown_best:6.1f} ms"
          f"   first frame: median {painted_median:6.1f} ms, best quartile {painted_best:6.1f} ms"
          f" (min {min(painted):.1f}, max {max(painted):.1f}) over {runs} runs")
notice, bare = figures.values()
for label, index in (("medians", 0), ("best quartiles", 1)):
    print(f"{'ratio notice / bare, ' + label:34} shown: {notice[0][index] / bare[0][index]:.3f}"
          f"   first frame: {notice[1][index] / bare[1][index]:.3f}"
          + (" (target <= 1.15)" if index == 0 else ""))
for program in ("pelorin", "spelorin"):
    size = (build / "shipped/launcher" / f"{program}.exe").stat().st_size
    print(f"{program + '.exe size':34} {size} bytes = {size / 1024:.1f} KiB (target <= 320 KiB)")
PY
