#!/usr/bin/env bash
# The headless painter's scenes — the golden scene, the demo and every benchmark scene — painted
# by one build of driftlace-paint into a folder; given a second folder, painted by another build
# (the x86 one against the x64 one), every picture must have the same bytes as there.
# Arguments: the painter, the source folder, the output folder, and optionally the reference.
# DRIFTLACE_SCENE_TURNS=N keeps the benchmark scenes to their first N turns (the whole scene
# emulated takes far longer than CI has); the reference must have been painted with the same N.
set -euo pipefail
paint=$1 source=$2 out=$3 reference=${4:-}
turns=${DRIFTLACE_SCENE_TURNS:-}
scenes="$source/tools/paint/scenes"
fail() { echo "FAIL: $*"; exit 1; }
mkdir -p "$out"
# Wine wants Windows paths for files it opens; plain relative names work for both.
cd "$out"
[ -f photo-4000x3000.png ] || convert "$source/samples/chelsea.png" -resize '4000x3000!' photo-4000x3000.png

# A scene up to its Nth turn command, released where the cursor last was.
shorten() {
    awk -v keep="$1" '
        /^(down|move) / { x = $2; y = $3 }
        /^turn/ && ++n > keep { cut = 1; exit }
        { print }
        END { if (cut) print "up", x, y }' "$2"
}

scene() {
    local name=$1 file=$2
    shift 2
    if [ -n "$turns" ] && [[ $file == bench-* ]]; then
        shorten "$turns" "$scenes/$file" >"$name.txt"
    else
        cp "$scenes/$file" "$name.txt"
    fi
    local start=$SECONDS
    wine "$paint" "$@" --script "$name.txt" --output "$name.png" --stats </dev/null 2>"$name.stats" >/dev/null ||
        fail "$name: $(cat "$name.stats")"
    echo "$name: $((SECONDS - start)) s"
    [ -z "$reference" ] && return
    cmp -s "$reference/$name.png" "$name.png" || fail "$name.png differs from $reference/$name.png"
    # The counts must agree too; only the times may differ.
    diff <(tr -d '\r' <"$reference/$name.stats" | grep -v ' ms$') <(tr -d '\r' <"$name.stats" | grep -v ' ms$') >/dev/null ||
        fail "$name: the counts differ from $reference"
}

scene golden golden.txt --size 160x120
scene demo demo.txt
scene light bench-light.txt
scene dense bench-dense.txt --size 1920x1080
scene blur bench-blur.txt --input photo-4000x3000.png
scene 100k bench-100k.txt --size 1920x1080
[ -z "$reference" ] || echo "every scene painted the same bytes as $reference"
