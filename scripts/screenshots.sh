#!/usr/bin/env bash
# Photographs the plug-in's windows under Wine on a virtual display: the frame with its panels,
# every panel and every dialog, as PNG files in the given folder (default out/screenshots).
# Needs the win64 build (scripts/build.sh makes it).  Settings go to a throwaway folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/out/screenshots}")
cd "$root"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source scripts/wine-env.sh
source scripts/display-env.sh
started_display=false
if [ -z "${DISPLAY:-}" ]; then
    display_env_start
    started_display=true
fi
wine_env_start
printf '[App]\r\nRegistryVersion=1\r\n' >"$work/Driftlace.ini"
status=0
wine build/win64/tools/substitute-host.exe --dll build/win64/dist/Driftlace.dll --input samples/chelsea.png \
    --host-path "$(winepath -w "$work/host.cfg")" --screenshots "$(winepath -w "$out")" </dev/null || status=$?
wine_env_stop
$started_display && display_env_stop
[ "$status" = 0 ] || { echo "the screenshot run failed ($status)" >&2; exit 1; }
echo "screenshots: $(ls "$out" | wc -l) pictures in $out"
