#!/usr/bin/env bash
# Draws the 16 x 16 pictures of the toolbar and of the panels' and dialogs' buttons with
# ImageMagick as 16-colour bitmaps.  The results are committed under resources/art, so a build
# never needs ImageMagick; run this again after changing a drawing.  Light grey (192, 192, 192)
# is the button face: the toolbar and the buttons map it to the system's colour.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/../resources/art"

face='#c0c0c0'
draw() {  # name, drawing primitives...
    local name=$1
    shift
    convert -size 16x16 "xc:$face" "$@" -depth 8 RGB:- | python3 "$here/bitmap16.py" "$name.bmp"
}

# Undo and redo: a hooked arrow turning back (left) or forward (right).
draw toolbar-undo +antialias -fill none -stroke '#000080' -strokewidth 2 \
    -draw "path 'M 12,12 L 12,7 Q 12,4 9,4 L 4,4'" -stroke none -fill '#000080' \
    -draw "polygon 1,4 5,0 5,8"
draw toolbar-redo +antialias -fill none -stroke '#000080' -strokewidth 2 \
    -draw "path 'M 3,12 L 3,7 Q 3,4 6,4 L 11,4'" -stroke none -fill '#000080' \
    -draw "polygon 14,4 10,0 10,8"
# Pause: two bars.
draw toolbar-pause +antialias -fill '#000000' -draw "rectangle 4,3 6,12" -draw "rectangle 9,3 11,12"
# Zoom out and in: a magnifier with minus or plus.
magnifier=(+antialias -fill '#ffffff' -stroke '#000000' -draw "circle 6,6 6,1"
    -stroke '#000000' -strokewidth 2 -draw "line 10,10 14,14" -strokewidth 1)
draw toolbar-zoom-out "${magnifier[@]}" -draw "line 4,6 8,6"
draw toolbar-zoom-in "${magnifier[@]}" -draw "line 4,6 8,6" -draw "line 6,4 6,8"
# Tools: paint drops, an eraser, a blurred spot.
draw toolbar-paint +antialias -fill '#ff0000' -draw "circle 5,10 5,7" -fill '#0000ff' -draw "circle 11,5 11,3" \
    -fill '#00ff00' -draw "circle 11,12 11,11" -fill '#ffff00' -draw "point 3,3" -draw "point 7,4"
draw toolbar-erase +antialias -fill '#ffffff' -stroke '#000000' -draw "polygon 2,10 8,4 13,9 7,15" \
    -fill '#ff00ff' -draw "polygon 2,10 5,7 10,12 7,15"
draw toolbar-blur +antialias -fill '#808080' -draw "circle 8,8 8,2" -fill '#c0c0c0' -draw "point 3,8" \
    -draw "point 13,8" -draw "point 8,3" -draw "point 8,13" -fill '#000080' -draw "circle 8,8 8,6"
# Panels: the world's gravity, the spray's sliders, the colours, the spray list.
draw toolbar-panel-general +antialias -fill none -stroke '#008080' -draw "circle 8,8 8,2" -stroke '#000000' \
    -strokewidth 2 -draw "line 8,5 8,12" -stroke none -fill '#000000' -draw "polygon 5,10 11,10 8,14"
draw toolbar-panel-spray +antialias -fill '#ffffff' -stroke '#000000' -draw "rectangle 1,2 14,5" \
    -draw "rectangle 1,9 14,12" -stroke none -fill '#00ffff' -draw "rectangle 2,3 9,4" -draw "rectangle 2,10 5,11"
draw toolbar-panel-color +antialias -stroke '#000000' -fill '#ff0000' -draw "rectangle 1,1 9,9" \
    -fill '#0000ff' -draw "rectangle 6,6 14,14"
draw toolbar-panel-catalog +antialias -fill '#ffffff' -stroke '#000000' -draw "rectangle 1,1 14,14" -stroke none \
    -fill '#000080' -draw "rectangle 3,3 12,4" -draw "rectangle 3,7 12,8" -draw "rectangle 3,11 12,12"

# The panels' and dialogs' buttons.
# Details: three dots, the usual "more" button.
draw button-detail +antialias -fill '#000000' -draw "rectangle 2,10 3,11" -draw "rectangle 7,10 8,11" \
    -draw "rectangle 12,10 13,11"
# Gravity kinds: parallel arrows down; arrows pointing in to a centre.
draw button-gravity-parallel +antialias -stroke '#000080' -strokewidth 1 -draw "line 4,2 4,11" -draw "line 11,2 11,11" \
    -stroke none -fill '#000080' -draw "polygon 1,10 7,10 4,14" -draw "polygon 8,10 14,10 11,14"
draw button-gravity-radial +antialias -fill '#800000' -draw "circle 8,8 8,6" -stroke '#000080' -strokewidth 1 \
    -draw "line 1,1 5,5" -draw "line 14,1 10,5" -draw "line 1,14 5,10" -draw "line 14,14 10,10" \
    -stroke none -fill '#000080' -draw "polygon 6,6 3,6 6,3" -draw "polygon 9,6 12,6 9,3" \
    -draw "polygon 6,9 3,9 6,12" -draw "polygon 9,9 12,9 9,12"
# Initial velocity modes: the spread turning left (anticlockwise), right (clockwise), back and
# forth, and scattered at random.
draw button-velocity-left +antialias -fill none -stroke '#000080' -strokewidth 2 \
    -draw "arc 2,3 13,14 200,340" -stroke none -fill '#000080' -draw "polygon 0,6 5,6 2,11"
draw button-velocity-right +antialias -fill none -stroke '#000080' -strokewidth 2 \
    -draw "arc 2,3 13,14 200,340" -stroke none -fill '#000080' -draw "polygon 10,6 15,6 13,11"
draw button-velocity-back-and-forth +antialias -stroke '#000080' -strokewidth 2 -draw "line 3,8 12,8" -stroke none \
    -fill '#000080' -draw "polygon 0,8 4,4 4,12" -draw "polygon 15,8 11,4 11,12"
draw button-velocity-random +antialias -fill '#000080' -draw "rectangle 2,3 3,4" -draw "rectangle 9,2 10,3" \
    -draw "rectangle 13,7 14,8" -draw "rectangle 5,8 6,9" -draw "rectangle 10,12 11,13" -draw "rectangle 2,12 3,13" \
    -fill '#ff0000' -draw "rectangle 7,5 8,6"
# Spin: a particle's path curling round.
draw button-spin +antialias -fill none -stroke '#008000' -strokewidth 2 -draw "arc 3,3 12,12 0,270" \
    -stroke none -fill '#008000' -draw "polygon 9,1 13,4 9,7" -fill '#ff0000' -draw "rectangle 7,7 8,8"
# Split: one line branching in two; the modes: one side branch, a fork, two branches in turn.
draw button-split +antialias -fill '#ff0000' -draw "rectangle 7,11 9,13" -fill '#000080' -draw "rectangle 2,2 4,4" \
    -draw "rectangle 11,2 13,4" -stroke '#808080' -strokewidth 1 -draw "line 7,10 5,5" -draw "line 9,10 11,5"
draw button-split-one +antialias -stroke '#800000' -strokewidth 2 -draw "line 8,15 8,1" -draw "line 8,9 13,3"
draw button-split-fork +antialias -stroke '#800000' -strokewidth 2 -draw "line 8,15 8,9" -draw "line 8,9 3,2" \
    -draw "line 8,9 13,2"
draw button-split-two +antialias -stroke '#800000' -strokewidth 2 -draw "line 8,15 8,1" -draw "line 8,11 13,6" \
    -draw "line 8,6 3,1"
# Colouring rules: one colour, foreground fading to background, stripes, a random mix.
draw button-coloring-single +antialias -fill '#ff0000' -draw "circle 8,8 8,3"
draw button-coloring-fade +antialias -fill '#ff0000' -draw "rectangle 1,4 4,11" -fill '#800000' \
    -draw "rectangle 5,4 8,11" -fill '#000000' -draw "rectangle 9,4 14,11"
draw button-coloring-stripes +antialias -fill '#ff0000' -draw "rectangle 1,4 3,11" -draw "rectangle 8,4 10,11" \
    -fill '#000000' -draw "rectangle 4,4 7,11" -draw "rectangle 11,4 14,11"
draw button-coloring-random +antialias -fill '#ff0000' -draw "rectangle 2,2 4,4" -draw "rectangle 10,9 12,11" \
    -draw "rectangle 6,12 8,14" -fill '#800000' -draw "rectangle 11,3 13,5" -draw "rectangle 3,9 5,11" \
    -fill '#000000' -draw "rectangle 7,6 9,8" -draw "rectangle 13,13 14,14"
# Spray list: the list's lines with a plus (add), with its middle line taken by an arrow
# (replace), with a cross (delete); a folder (open another list).
lines=(-fill '#000080' -draw "rectangle 1,1 8,2" -draw "rectangle 1,5 8,6" -draw "rectangle 1,9 8,10")
draw button-catalog-add +antialias "${lines[@]}" -fill '#008000' -draw "rectangle 11,8 12,15" -draw "rectangle 8,11 15,12"
draw button-catalog-replace +antialias -fill '#000080' -draw "rectangle 1,1 8,2" -draw "rectangle 1,9 8,10" \
    -fill '#008080' -draw "rectangle 1,5 6,6" -fill '#800000' -draw "rectangle 10,5 14,6" \
    -draw "polygon 11,2 11,9 7,5"
draw button-catalog-delete +antialias "${lines[@]}" -stroke '#ff0000' -strokewidth 1 -draw "line 9,9 14,14" \
    -draw "line 10,9 15,14" -draw "line 14,9 9,14" -draw "line 15,9 10,14"
draw button-catalog-open +antialias -fill '#808000' -draw "polygon 1,4 5,4 6,5 13,5 13,13 1,13" \
    -fill '#ffff00' -stroke '#808000' -strokewidth 1 -draw "polygon 3,8 15,8 13,13 1,13"
