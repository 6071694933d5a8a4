#!/usr/bin/env bash
# Makes every picture of the manual in help/pictures (or FOLDER): the screenshots of the frame,
# the panels and the dialogs under Wine (scripts/screenshots.sh), and one example painting per
# scene of tools/paint/scenes/manual, painted by the headless painter.  Needs the native and the
# win64 build (scripts/build.sh makes both); --paintings-only skips the screenshots.
#   scripts/manual-pictures.sh [--paintings-only] [FOLDER]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
screenshots=true
if [ "${1:-}" = --paintings-only ]; then
    screenshots=false
    shift
fi
out=$(realpath -m "${1:-$root/help/pictures}")
paint="$root/build/native/dist/driftlace-paint"
pngtool="$root/build/native/tools/pngtool"
font=/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf
for tool in "$paint" "$pngtool"; do
    [ -x "$tool" ] || { echo "$tool is missing: build the native preset first" >&2; exit 1; }
done
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The picture a scene paints on: "paper" (a light sheet) or "photo X Y" (that corner of the
# sample photograph).
make_canvas() {
    local size=$1 kind=$2 x=${3:-0} y=${4:-0} target=$5
    case $kind in
        paper) "$pngtool" solid "${size%x*}" "${size#*x}" 246 242 232 255 "$target" >/dev/null ;;
        photo) convert "$root/samples/chelsea.png" -crop "$size+$x+$y" +repage "$target" ;;
        *) echo "unknown canvas \"$kind\"" >&2; return 1 ;;
    esac
}

# What was erased shows the view's checker pattern, as in the painting window.
flatten() {
    local painted=$1 size=$2 target=$3
    convert -size 16x16 xc:'rgb(180,180,180)' -fill 'rgb(150,150,150)' \
        -draw 'rectangle 0,0 7,7' -draw 'rectangle 8,8 15,15' "$work/tile.png"
    convert -size "$size" tile:"$work/tile.png" "$painted" -composite "$target"
}

# A scene's lines that begin with "#!" frame it:
#   #! canvas WxH paper | photo X Y     what it is painted on
#   #! label X Y TEXT                   a caption written onto the result at (X, Y)
paint_scene() {
    local scene=$1 name size='' kind='' cx='' cy='' mark word rest
    local -a labels=()
    name=$(basename "$scene" .txt)
    while read -r mark word rest; do
        [ "$mark" = '#!' ] || continue
        case $word in
            canvas) read -r size kind cx cy <<<"$rest" ;;
            label) labels+=("$rest") ;;
        esac
    done <"$scene"
    [ -n "$size" ] || { echo "$scene: no \"#! canvas\" line" >&2; return 1; }
    make_canvas "$size" "$kind" "$cx" "$cy" "$work/canvas.png"
    "$paint" --input "$work/canvas.png" --output "$work/painted.png" --script "$scene" \
        --catalogue "$root/preset/preset.spr"
    flatten "$work/painted.png" "$size" "$work/flat.png"
    local -a draw=()
    local label x y text
    for label in "${labels[@]}"; do
        read -r x y text <<<"$label"
        draw+=(-annotate "+$x+$y" "$text")
    done
    convert "$work/flat.png" -font "$font" -pointsize 12 -fill 'rgb(50,50,50)' -undercolor 'rgba(246,242,232,0.85)' "${draw[@]}" \
        -strip "$out/$name.png"
}

# The screenshots, but for the bare frame: the manual shows it with a stroke and the panels.
if $screenshots; then
    bash "$root/scripts/screenshots.sh" "$work/shots"
    rm -f "$work/shots/frame.png"
    cp "$work/shots"/*.png "$out/"
fi
# The buttons' pictures, twice their size, for the text to point at.
mkdir -p "$out/icons"
for art in "$root"/resources/art/toolbar-*.bmp "$root"/resources/art/button-*.bmp; do
    convert "$art" -scale 200% -strip "$out/icons/$(basename "$art" .bmp).png"
done
# One stroke of every shipped preset.
bash "$root/scripts/gallery.sh" "$out/presets.png" >/dev/null
count=0
for scene in "$root"/tools/paint/scenes/manual/*.txt; do
    paint_scene "$scene"
    count=$((count + 1))
done
echo "manual pictures: $count paintings$($screenshots && echo ' and the screenshots') in $out"
