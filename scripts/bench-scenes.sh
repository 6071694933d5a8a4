#!/usr/bin/env bash
# The headless painter's benchmark scenes, each with its --stats figures: a light stroke, a dense
# swarm with splitting, a blur drag over a 4000 x 3000 photograph, and 100,000 live particles on
# a full-HD canvas.  Needs a native build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
paint="$root/build/native/dist/driftlace-paint"
scenes="$root/tools/paint/scenes"
work="$root/build/bench"
mkdir -p "$work"
[ -f "$work/photo-4000x3000.png" ] ||
    convert "$root/samples/chelsea.png" -resize '4000x3000!' "$work/photo-4000x3000.png"

scene() {
    local name=$1; shift
    echo "== $name"
    "$paint" "$@" --output "$work/$name.png" --stats 2>&1
}
scene light --script "$scenes/bench-light.txt"
scene dense --size 1920x1080 --script "$scenes/bench-dense.txt"
scene blur --input "$work/photo-4000x3000.png" --script "$scenes/bench-blur.txt"
scene 100k --size 1920x1080 --script "$scenes/bench-100k.txt"
