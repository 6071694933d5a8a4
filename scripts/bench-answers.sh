#!/usr/bin/env bash
# How the painting window answers under Wine: one filter run through the substitute host on a
# 4000 x 3000 photograph and one on the 451 x 300 sample, each painting a short stroke, waiting
# for its step, undoing and redoing it, while a second thread sends the frame an empty message
# every 10 ms; prints the longest answer of each phase.  Needs the win64 build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/wine-env.sh
source scripts/display-env.sh
trap 'wine_env_stop; display_env_stop' EXIT
display_env_start
wine_env_start
work="$root/build/bench"
mkdir -p "$work"
[ -f "$work/photo-4000x3000.png" ] || convert samples/chelsea.png -resize '4000x3000!' "$work/photo-4000x3000.png"
for picture in "$work/photo-4000x3000.png" samples/chelsea.png; do
    echo "== $(basename "$picture")"
    wine build/win64/tools/substitute-host.exe --dll build/win64/dist/Driftlace.dll --input "$picture" \
        --output "$work/answers.png" --probe-answers </dev/null 2>/dev/null | tr -d '\r'
done
