#!/usr/bin/env bash
# Measures the installer path of pelorin.exe against BareLaunch.exe, a program that does
# nothing but start the same command line with CreateProcessA: 40 runs of each under Wine,
# alternating, the ratio of their medians (target <= 1.10) and of their best quartiles
# (target <= 1.05), and the sizes of both programs (target <= 320 KiB each). Wine's start
# times are bimodal and the machine is shared, so the best quartile is the steadier figure.
# A benchmark, not a test: it prints figures and fails only when it cannot measure.
#   tools/bench-launch.sh [windows build folder, default build/win] [runs, default 40]
set -euo pipefail
root=$(dirname "$(dirname "$(realpath "$0")")")
cd "$root"
build=${1:-build/win}
runs=${2:-40}

if [ ! -f "$build/build.ninja" ]; then
    cmake --preset windows-tests -B "$build" >/dev/null
fi
cmake --build "$build" -j "${JOBS:-2}" --target shipped FakeSetup BareLaunch >/dev/null 2>&1 ||
    { echo "building the programs in $build failed"; exit 1; }

exec tools/wine/with-wine.sh "$build" python3 - "$build" "$runs" <<'PY'
import os, pathlib, shutil, statistics, subprocess, sys, time

build, runs = pathlib.Path(sys.argv[1]), int(sys.argv[2])
key = r"HKLM\software\Microsoft\.NETFramework"
# The registry view the programs read: 64-bit builds read the 64-bit one.
view = "/reg:64" if os.environ.get("WINEARCH") == "win64" else "/reg:32"
drive_c = pathlib.Path(os.environ["WINEPREFIX"]) / "drive_c"
stage = drive_c / "bench-launch"
folder = stage / "Support Disc"
windows = "C:\\bench-launch\\Support Disc\\"


def wine(*args, check=True):
    result = subprocess.run(["timeout", "-k", "5", "60", os.environ.get("WINE", "wine"), *args], cwd=drive_c,
                            stdin=subprocess.DEVNULL, capture_output=True)
    if check and result.returncode != 0:
        sys.exit(f"wine {' '.join(args)} failed with {result.returncode}")
    return result


def settle(record):
    """Waits for the stand-in installer's record and for every process of the stage to end,
    so that no run overlaps the next."""
    deadline = time.monotonic() + 30
    while not record.exists():
        if time.monotonic() > deadline:
            sys.exit("the installer stand-in was not started")
        time.sleep(0.01)
    record.unlink()
    marker = b"\\bench-launch\\"
    while any(marker in p.read_bytes().lower() for p in pathlib.Path("/proc").glob("[0-9]*/cmdline")
              if p.exists() and p.parent.name != str(os.getpid())):
        if time.monotonic() > deadline:
            sys.exit("the started programs did not end")
        time.sleep(0.01)


def timed(*args):
    start = time.perf_counter()
    wine(*args)
    return time.perf_counter() - start


shutil.rmtree(stage, ignore_errors=True)
folder.mkdir(parents=True)
shutil.copyfile(build / "shipped/launcher/pelorin.exe", folder / "pelorin.exe")
shutil.copyfile(build / "tools/bench/BareLaunch.exe", folder / "BareLaunch.exe")
shutil.copyfile(build / "tests/e2e/FakeSetup.exe", folder / "setup.exe")
saved = windows + "framework.reg"
had_key = wine("reg", "export", key, saved, "/y", view, check=False).returncode == 0
wine("reg", "delete", key, "/f", view, check=False)
wine("reg", "add", key + "\\v2.0.50727", "/f", view)
record = folder / "setup.exe.record"
try:
    # The same command line for both: pelorin builds it, BareLaunch is handed it (Wine
    # quotes an argument that holds a space).
    programs = {
        "pelorin.exe (installer path)": [windows + "pelorin.exe"],
        "BareLaunch.exe (CreateProcessA only)": [windows + "BareLaunch.exe", windows + "setup.exe"],
    }
    times = {name: [] for name in programs}
    for run in range(runs + 2):  # the first two rounds warm the caches and are not counted
        for name, args in programs.items():
            elapsed = timed(*args)
            settle(record)
            if run >= 2:
                times[name].append(elapsed)
finally:
    wine("reg", "delete", key, "/f", view, check=False)
    if had_key:
        wine("reg", "import", saved)
    shutil.rmtree(stage, ignore_errors=True)

def best_quartile(values):
    """The first quartile: the time the fastest quarter of the runs stay within."""
    return statistics.quantiles(values, n=4, method="inclusive")[0]


for name, values in times.items():
    print(f"{name:40} median {statistics.median(values) * 1000:7.1f} ms, best quartile"
          f" {best_quartile(values) * 1000:7.1f} ms over {runs} runs"
          f" (min {min(values) * 1000:.1f}, max {max(values) * 1000:.1f})")
launcher, bare = times.values()
print(f"{'ratio launcher / bare, medians':40} {statistics.median(launcher) / statistics.median(bare):.3f}"
      " (target <= 1.10)")
print(f"{'ratio launcher / bare, best quartiles':40} {best_quartile(launcher) / best_quartile(bare):.3f}"
      " (target <= 1.05)")
for program in ("pelorin", "spelorin"):
    size = (build / "shipped/launcher" / f"{program}.exe").stat().st_size
    print(f"{program + '.exe size':40} {size} bytes = {size / 1024:.1f} KiB (target <= 320 KiB)")
PY
