#!/usr/bin/env bash
# The main job: both plug-in DLLs and the native tools; a demo painted by the headless painter
# from the sample photograph with the three tools, the four colouring rules and shipped presets;
# the preset gallery; one real filter run of the 64-bit plug-in under Wine, and screenshots of
# its windows.  Results: out/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh
for preset in native win64 win32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$(nproc)"
done
mkdir -p out/plugin-x64/preset out/plugin-x86/preset
cp build/win64/dist/Driftlace.dll out/plugin-x64/
cp build/win32/dist/Driftlace.dll out/plugin-x86/
cp preset/preset.spr out/plugin-x64/preset/
cp preset/preset.spr out/plugin-x86/preset/

build/native/dist/driftlace-paint --output out/demo.png --script tools/paint/scenes/demo.txt --stats
bash scripts/gallery.sh out/gallery.png

source scripts/wine-env.sh
source scripts/display-env.sh
trap 'wine_env_stop; display_env_stop' EXIT
display_env_start
wine_env_start
# The plug-in opens its painting window; with no one to paint, it closes once the picture is up.
DRIFTLACE_AUTOCLOSE_TURNS=0 wine build/win64/tools/substitute-host.exe --dll build/win64/dist/Driftlace.dll \
    --input samples/chelsea.png --output out/chelsea-filtered.png --log out/host-calls.log </dev/null
# Pictures of the frame, every panel and every dialog.
bash scripts/screenshots.sh out/screenshots
echo "plug-ins: out/plugin-x64/, out/plugin-x86/ (Driftlace.dll with preset/preset.spr beside it)"
echo "demo: out/demo.png; preset gallery: out/gallery.png; one filter run: out/chelsea-filtered.png"
echo "screenshots of the windows: out/screenshots/"
