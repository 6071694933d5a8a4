#!/usr/bin/env bash
# The same short stroke on a 1000 x 750 and on a 6000 x 4000 canvas, run in turns five times
# each: the medians of what recording the step costs (the turn that closes it, its slowest idle
# piece, and both with all its pieces), the undo, the redo and the bytes the step holds, and
# their ratios (large / small).  What a step costs should follow the stroke, not the canvas.
# Needs a native build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
paint="$root/build/native/dist/driftlace-paint"
scene="$root/tools/paint/scenes/bench-bigpicture.txt"
work="$root/build/bench"
runs=${RUNS:-5}
mkdir -p "$work"

figures() {  # size -> "turn piece step undo redo bytes"
    "$paint" --size "$1" --script "$scene" --output "$work/bigpicture-$1.png" --stats 2>&1 |
        awk -F'[[:space:]]+' '/^slowest turn with history/ {s=$5} /^slowest piece of a step/ {p=$6}
                              /^pieces of steps/ {t=$4} /^slowest undo/ {u=$3} /^slowest redo/ {r=$3}
                              /^history bytes/ {b=$3} END {print s, p, s + t, u, r, b}'
}

median() {  # column -> median of that column of stdin
    sort -g -k"$1","$1" | awk -v c="$1" '{v[NR]=$c} END {print v[int((NR + 1) / 2)]}'
}

: >"$work/bigpicture-small.txt"
: >"$work/bigpicture-large.txt"
for _ in $(seq "$runs"); do
    figures 1000x750 >>"$work/bigpicture-small.txt"
    figures 6000x4000 >>"$work/bigpicture-large.txt"
done

printf '%-22s %12s %12s %8s\n' figure 1000x750 6000x4000 ratio
column=1
for name in "step turn (ms)" "slowest piece (ms)" "whole step (ms)" "undo (ms)" "redo (ms)" "step bytes"; do
    small=$(median "$column" <"$work/bigpicture-small.txt")
    large=$(median "$column" <"$work/bigpicture-large.txt")
    awk -v n="$name" -v s="$small" -v l="$large" 'BEGIN {printf "%-22s %12s %12s %8.2f\n", n, s, l, (s > 0 ? l / s : 0)}'
    column=$((column + 1))
done
