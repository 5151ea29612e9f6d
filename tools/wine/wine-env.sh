# Sourced: prepares the Wine test prefix and an Xvfb display for one build folder and keeps
# one persistent wineserver for the run.  Usage: source tools/wine/wine-env.sh <build-dir>
# WINEARCH=win64 makes a 64-bit prefix run by the 64-bit loader (WINE_LOADER, default
# /usr/lib/wine/wine64); the default is the 32-bit prefix and the `wine` command. WINE is then
# the command that runs a Windows program in this prefix.
wine_env_build=$(realpath -m "${1:?build dir}")
mkdir -p "$wine_env_build"
export WINEPREFIX="$wine_env_build/wineprefix"
# A prefix made earlier keeps its architecture: Wine refuses a prefix of the other one.
if [ -z "${WINEARCH:-}" ] && grep -qs '^#arch=win64' "$WINEPREFIX/system.reg"; then
    WINEARCH=win64
fi
export WINEARCH=${WINEARCH:-win32}
if [ "$WINEARCH" = win64 ]; then
    # The `wine` wrapper prefers the 32-bit loader whenever it is installed, even where it
    # cannot start; WINELOADER is what Wine itself starts for child processes.
    export WINE=${WINE_LOADER:-/usr/lib/wine/wine64}
    export WINELOADER=$WINE
else
    export WINE=wine
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# The display first: a wine command run without one starts a desktop that hides every
# later window of that wineserver.
wine_env_display_file="$wine_env_build/xvfb.display"
if [ -f "$wine_env_display_file" ] && kill -0 "$(cut -d' ' -f2 "$wine_env_display_file")" 2>/dev/null; then
    export DISPLAY=":$(cut -d' ' -f1 "$wine_env_display_file")"
else
    for n in $(seq 91 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
        echo "$n $!" > "$wine_env_display_file"
        export DISPLAY=":$n"
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
        break
    done
fi

if [ ! -f "$WINEPREFIX/.prepared" ]; then
    timeout 300 "$WINE" wineboot -i >/dev/null 2>&1
    timeout 60 wineserver -w
    wine_env_reg() { timeout 60 "$WINE" reg add "$@" /f >/dev/null 2>&1; }
    # Without Managed=N every window destruction waits two seconds.
    wine_env_reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
    wine_env_reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
    wine_env_reg 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d 'Liberation Sans'
    wine_env_reg 'HKCU\Control Panel\Mouse' /v MouseHoverTime /t REG_SZ /d 50
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
    cp -n /usr/share/fonts/truetype/liberation/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
    timeout 60 wineserver -w
    touch "$WINEPREFIX/.prepared"
fi

# WINE_WINDOWS_VERSION=winxp makes the prefix report that Windows version (the programs' XP
# run). Wine still exports every function: only the import check catches a newer import.
if [ -n "${WINE_WINDOWS_VERSION:-}" ]; then
    timeout 60 "$WINE" reg add 'HKCU\Software\Wine' /v Version /t REG_SZ \
        /d "$WINE_WINDOWS_VERSION" /f >/dev/null 2>&1
fi

# One persistent server for the whole run: a cold start costs seconds per process. The
# services it starts are spawned here with no terminal or pipe of ours, so a test runner
# never waits for them to close its output.
timeout 10 wineserver -p </dev/null >/dev/null 2>&1 || true
timeout 60 "$WINE" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
