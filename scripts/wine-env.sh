#!/usr/bin/env bash
# Sourced by the test and demo scripts: a throwaway Wine prefix under build/, Japanese code page,
# and one detached wine server so each program starts in milliseconds instead of seconds.
# Call wine_env_stop when done (the scripts trap it).
# DRIFTLACE_WINE_ARCH=win32 makes it the x86 build's: a 32-bit prefix of its own, and the
# emulated 32-bit Wine of scripts/install-wine32.sh first in PATH (where it is set up; a machine
# with a 32-bit Wine of its own runs the ordinary one), served by the system's 64-bit wineserver.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if [ "${DRIFTLACE_WINE_ARCH:-win64}" = win32 ]; then
    export WINEPREFIX="$root/build/wine32/prefix"
    export WINEARCH=win32
    if [ -x "$root/build/wine32/bin/wine" ]; then
        export PATH="$root/build/wine32/bin:$PATH"
        export WINESERVER=/usr/lib/wine/wineserver64
        export FONTCONFIG_FILE="$root/build/wine32/fontconfig/fonts.conf"
    fi
else
    export WINEPREFIX="$root/build/wine/prefix"
    export WINEARCH=win64
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8

wine_env_start() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i </dev/null >/dev/null 2>&1 || true
        wineserver -w </dev/null >/dev/null 2>&1 || true  # the registry files are written as it ends
        [ -f "$WINEPREFIX/system.reg" ] || { echo "the Wine prefix could not be made" >&2; return 1; }
    fi
    # Fails harmlessly when the server that wineboot started is still up.
    wineserver -p 60 </dev/null >/dev/null 2>&1 || true
    # Start Wine's own services now, detached: started by a test, they would inherit its output
    # and keep CTest waiting on the pipe after the test ended.
    wineboot </dev/null >/dev/null 2>&1 || true
    # The dialogs' font is not in the prefix; without a substitute of the same metrics class
    # Wine falls back to a wide bitmap font and texts are clipped.
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
        /v 'ＭＳ Ｐゴシック' /d IPAPGothic /f </dev/null >/dev/null 2>&1 || true
    # There is no window manager on the virtual display: Wine draws the window frames itself
    # and does not wait, seconds for every window, for a manager to take a window away.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
}

wine_env_stop() {
    wineserver -k </dev/null >/dev/null 2>&1 || true
}
