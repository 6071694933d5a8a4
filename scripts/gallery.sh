#!/usr/bin/env bash
# Renders one small picture per shipped preset with the headless painter and puts them together
# in one picture (default docs/gallery.png, the README's).  Needs a native build (scripts/build.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
output=$(realpath -m "${1:-$root/docs/gallery.png}")
paint="$root/build/native/dist/driftlace-paint"
pngtool="$root/build/native/tools/pngtool"
font=/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$pngtool" solid 240 180 246 242 232 255 "$work/paper.png"
convert "$root/samples/chelsea.png" -crop 240x180+110+60 +repage "$work/photo.png"

# name | tool | canvas | colour rule and colours (fore r g b, back r g b) | stroke
render() {
    local name=$1 tool=$2 canvas=$3 rule=$4 fore=$5 back=$6 stroke=$7
    read -r fr fg fb <<<"$fore"
    read -r br bg bb <<<"$back"
    {
        echo "tool $tool"
        echo "preset $name"
        if [ "$tool" = Paint ]; then
            echo "color useFore 1"
            echo "color Coloring $rule"
            echo "color Color0_0 $fr"; echo "color Color0_1 $fg"; echo "color Color0_2 $fb"
            echo "color Color1_0 $br"; echo "color Color1_1 $bg"; echo "color Color1_2 $bb"
        fi
        case $stroke in
            line) echo "down 30 110"; for x in 50 70 90 110 130 150 170 190 210; do echo "move $x $((110 - (x - 30) / 6))"; echo "turn 2"; done; echo "up 210 80" ;;
            dab)  echo "down 120 120"; echo "turn 12"; echo "up 120 120" ;;
            eyes) echo "down 20 50"; for x in 40 60 80 100 120 140 160 180 200 220; do echo "move $x 55"; echo "turn 2"; done; echo "up 220 55" ;;
            rise) echo "down 40 160"; for x in 60 80 100 120 140 160 180 200; do echo "move $x 160"; echo "turn 2"; done; echo "up 200 160" ;;
        esac
        echo "idle"
    } >"$work/script.txt"
    "$paint" --input "$work/$canvas.png" --output "$work/out.png" --script "$work/script.txt"
    convert "$work/out.png" -background white -flatten \
        -gravity south -background white -splice 0x22 -font "$font" -pointsize 15 -annotate +0+2 "$name" \
        "$work/tile-$(printf '%02d' "$index").png"
    index=$((index + 1))
}

index=0
render 煙 Paint paper 1 "90 90 100" "220 220 225" dab
render 炎 Paint paper 1 "255 230 90" "200 30 10" rise
render 毛並み Paint paper 0 "110 70 40" "0 0 0" line
render 草むら Paint paper 1 "40 120 30" "150 200 60" rise
render 雨 Paint paper 0 "70 100 170" "0 0 0" line
render 枝分かれ Paint paper 1 "70 45 25" "120 160 60" dab
render 渦巻き Paint paper 2 "40 60 160" "230 120 30" line
render 放射 Paint paper 1 "250 200 40" "220 40 90" dab
render エアブラシ Paint paper 0 "200 60 120" "0 0 0" line
render かすれぼかし Blur photo 0 "0 0 0" "0 0 0" eyes
render 消しくず Erase photo 0 "0 0 0" "0 0 0" line
render 水しぶき Paint paper 1 "40 140 220" "200 240 255" rise
render 花火 Paint paper 3 "255 80 40" "60 120 255" dab
render 点描 Paint paper 3 "30 90 160" "230 160 30" line

montage "$work"/tile-*.png -tile 5x -geometry +4+4 -background '#d0d0d0' "$output"
echo "$output"
