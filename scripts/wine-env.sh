#!/usr/bin/env bash
# Sourced by the test and demo scripts: a throwaway Wine prefix under build/, Japanese code page,
# and one detached wine server so each program starts in milliseconds instead of seconds.
# Call wine_env_stop when done (the scripts trap it).
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="$root/build/wine/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
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
