#!/usr/bin/env bash
# Draws the 16 x 16 toolbar pictures with ImageMagick as 16-colour bitmaps.  The results are
# committed under resources/art, so a build never needs ImageMagick; run this again after
# changing a drawing.  Light grey (192, 192, 192) is the button face: the toolbar maps it to
# the system's colour.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/../resources/art"

face='#c0c0c0'
draw() {  # name, drawing primitives...
    local name=$1
    shift
    convert -size 16x16 "xc:$face" "$@" -depth 8 RGB:- | python3 "$here/bitmap16.py" "toolbar-$name.bmp"
}

# Undo and redo: a hooked arrow turning back (left) or forward (right).
draw undo +antialias -fill none -stroke '#000080' -strokewidth 2 \
    -draw "path 'M 12,12 L 12,7 Q 12,4 9,4 L 4,4'" -stroke none -fill '#000080' \
    -draw "polygon 1,4 5,0 5,8"
draw redo +antialias -fill none -stroke '#000080' -strokewidth 2 \
    -draw "path 'M 3,12 L 3,7 Q 3,4 6,4 L 11,4'" -stroke none -fill '#000080' \
    -draw "polygon 14,4 10,0 10,8"
# Pause: two bars.
draw pause +antialias -fill '#000000' -draw "rectangle 4,3 6,12" -draw "rectangle 9,3 11,12"
# Zoom out and in: a magnifier with minus or plus.
magnifier=(+antialias -fill '#ffffff' -stroke '#000000' -draw "circle 6,6 6,1"
    -stroke '#000000' -strokewidth 2 -draw "line 10,10 14,14" -strokewidth 1)
draw zoom-out "${magnifier[@]}" -draw "line 4,6 8,6"
draw zoom-in "${magnifier[@]}" -draw "line 4,6 8,6" -draw "line 6,4 6,8"
# Tools: paint drops, an eraser, a blurred spot.
draw paint +antialias -fill '#ff0000' -draw "circle 5,10 5,7" -fill '#0000ff' -draw "circle 11,5 11,3" \
    -fill '#00ff00' -draw "circle 11,12 11,11" -fill '#ffff00' -draw "point 3,3" -draw "point 7,4"
draw erase +antialias -fill '#ffffff' -stroke '#000000' -draw "polygon 2,10 8,4 13,9 7,15" \
    -fill '#ff00ff' -draw "polygon 2,10 5,7 10,12 7,15"
draw blur +antialias -fill '#808080' -draw "circle 8,8 8,2" -fill '#c0c0c0' -draw "point 3,8" \
    -draw "point 13,8" -draw "point 8,3" -draw "point 8,13" -fill '#000080' -draw "circle 8,8 8,6"
# Panels: the world's gravity, the spray's sliders, the colours, the spray list.
draw panel-general +antialias -fill none -stroke '#008080' -draw "circle 8,8 8,2" -stroke '#000000' \
    -strokewidth 2 -draw "line 8,5 8,12" -stroke none -fill '#000000' -draw "polygon 5,10 11,10 8,14"
draw panel-spray +antialias -fill '#ffffff' -stroke '#000000' -draw "rectangle 1,2 14,5" \
    -draw "rectangle 1,9 14,12" -stroke none -fill '#00ffff' -draw "rectangle 2,3 9,4" -draw "rectangle 2,10 5,11"
draw panel-color +antialias -stroke '#000000' -fill '#ff0000' -draw "rectangle 1,1 9,9" \
    -fill '#0000ff' -draw "rectangle 6,6 14,14"
draw panel-catalog +antialias -fill '#ffffff' -stroke '#000000' -draw "rectangle 1,1 14,14" -stroke none \
    -fill '#000080' -draw "rectangle 3,3 12,4" -draw "rectangle 3,7 12,8" -draw "rectangle 3,11 12,12"
