#!/usr/bin/env bash
# Draws the plug-in icon with ImageMagick.  The results are committed under resources/art, so a
# build never needs ImageMagick; run this again after changing a drawing.
set -euo pipefail
cd "$(dirname "$0")/../resources/art"

icon_layer() {  # size -> png: a night-blue tile with a drifting arc of paint particles
    local s=$1 out=$2
    convert -size "${s}x${s}" xc:none \
        -fill '#1d2a4a' -draw "roundrectangle 0,0 $((s-1)),$((s-1)) $((s/6)),$((s/6))" \
        -fill '#f0503c' -draw "circle $((s*3/10)),$((s*7/10)) $((s*3/10+s/7)),$((s*7/10))" \
        -fill '#f59a3a' -draw "circle $((s/2)),$((s*9/20)) $((s/2+s/9)),$((s*9/20))" \
        -fill '#f7d35a' -draw "circle $((s*7/10)),$((s*3/10)) $((s*7/10+s/12)),$((s*3/10))" \
        -fill '#fff3c4' -draw "circle $((s*17/20)),$((s*3/20)) $((s*17/20+s/20+1)),$((s*3/20))" \
        "$out"
}

icon_layer 32 /tmp/driftlace-icon-32.png
icon_layer 16 /tmp/driftlace-icon-16.png
convert /tmp/driftlace-icon-32.png /tmp/driftlace-icon-16.png driftlace.ico
rm -f /tmp/driftlace-icon-32.png /tmp/driftlace-icon-16.png
