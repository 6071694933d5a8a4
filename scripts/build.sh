#!/usr/bin/env bash
# The main job: both plug-in DLLs and the native tools, then the 64-bit plug-in run once by the
# substitute host under Wine on a sample photograph. Results land in out/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh
for preset in native win64 win32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$(nproc)"
done
mkdir -p out/plugin-x64 out/plugin-x86
cp build/win64/dist/Driftlace.dll out/plugin-x64/
cp build/win32/dist/Driftlace.dll out/plugin-x86/

source scripts/wine-env.sh
source scripts/display-env.sh
trap 'wine_env_stop; display_env_stop' EXIT
display_env_start
wine_env_start
wine build/win64/tools/substitute-host.exe --dll build/win64/dist/Driftlace.dll \
    --input samples/chelsea.png --output out/chelsea-filtered.png --log out/host-calls.log </dev/null
echo "plug-ins: out/plugin-x64/Driftlace.dll, out/plugin-x86/Driftlace.dll"
echo "one filter run: out/chelsea-filtered.png (row calls in out/host-calls.log)"
