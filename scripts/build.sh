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
# The release archives, one per architecture, as a user unpacks them into the host's filter folder.
mkdir -p out
cp build/win64/dist/Driftlace-*-x64.zip build/win32/dist/Driftlace-*-x86.zip out/

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
echo "release archives: $(cd out && ls Driftlace-*.zip | tr '\n' ' ')"
echo "demo: out/demo.png; preset gallery: out/gallery.png; one filter run: out/chelsea-filtered.png"
echo "screenshots of the windows: out/screenshots/"
