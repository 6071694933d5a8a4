#!/usr/bin/env bash
# The x86 build's tests (called by scripts/test.sh once both Windows builds are built): every
# CTest test of build/win32 under the 32-bit Wine, on a virtual display of their own, then the
# headless painter's scenes painted by the x86 build, which must give the x64 build's bytes.
# The 32-bit Wine is the emulated one of scripts/install-wine32.sh; where the package archive
# could not serve it, only the DLL file is checked, and this says so.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)
start=$SECONDS

if [ ! -f build/wine32/root/.ready ]; then
    [ -f build/wine32/unavailable ] || { echo "no 32-bit Wine: run scripts/install-deps.sh" >&2; exit 1; }
    echo "x86: not run, no 32-bit Wine ($(cat build/wine32/unavailable)); the DLL is checked as a file only"
    ctest --test-dir build/win32 --output-on-failure -R '^dll_image$'
    exit 0
fi

# A display of its own, so that the x86 tests never share one with the x64 ones.
export DRIFTLACE_DISPLAY=${DRIFTLACE_X86_DISPLAY:-$((${DRIFTLACE_DISPLAY:-97} + 100))}
source scripts/display-env.sh
trap display_env_stop EXIT
display_env_start

# The emulated painter takes far longer than CI has for the whole benchmark scenes: they are
# kept to their first turns, in both builds alike.
export DRIFTLACE_SCENE_TURNS=${DRIFTLACE_SCENE_TURNS:-30}
rm -rf build/scenes
(
    export DRIFTLACE_WINE_ARCH=win64
    source scripts/wine-env.sh
    trap wine_env_stop EXIT
    wine_env_start
    bash tests/win32/paint_scenes.sh "$root/build/win64/dist/driftlace-paint.exe" "$root" "$root/build/scenes/x64" >/dev/null
)

export DRIFTLACE_WINE_ARCH=win32
source scripts/wine-env.sh
trap 'wine_env_stop; display_env_stop' EXIT
wine_env_start
echo "x86: the 32-bit Wine is ready after $((SECONDS - start)) s"
ctest --test-dir build/win32 --output-on-failure -j "$jobs"
bash tests/win32/paint_scenes.sh "$root/build/win32/dist/driftlace-paint.exe" "$root" "$root/build/scenes/x86" \
    "$root/build/scenes/x64"
echo "x86 tests passed in $((SECONDS - start)) s"
