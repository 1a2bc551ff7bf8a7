#!/usr/bin/env bash
# Draws the window's pictures with ImageMagick: the top band's background
# (stretched by the window to fill the band) and the window icon.
set -euo pipefail
cd "$(dirname "$0")"

# Band: a pale steel gradient with a faint grid and, on the right, the two
# wires of a differential serial pair carrying a few bits.
grid=""
for x in $(seq 0 30 1230); do grid+="line $x,0 $x,158 "; done
for y in $(seq 8 30 158); do grid+="line 0,$y 1230,$y "; done
# Each wire is drawn as separate segments: a path would be closed by its stroke.
wave_a=""
wave_b=""
x=700
last=0
for bit in 0 1 1 0 1 0 0 1 1 1 0 1 0 1 1 0 0 1; do
    pa=$((last ? 60 : 100)); pb=$((last ? 100 : 60))
    na=$((bit ? 60 : 100)); nb=$((bit ? 100 : 60))
    wave_a+="line $x,$pa $x,$na line $x,$na $((x + 30)),$na "
    wave_b+="line $x,$pb $x,$nb line $x,$nb $((x + 30)),$nb "
    x=$((x + 30))
    last=$bit
done
convert -size 1230x158 gradient:'#f6f9fc'-'#cfdbea' \
    -fill none -stroke '#dbe4ef' -strokewidth 1 -draw "$grid" \
    -stroke '#9fb6d3' -strokewidth 3 -draw "$wave_a" \
    -stroke '#c3b0b0' -strokewidth 3 -draw "$wave_b" \
    -strip band.png

# Icon: a dark blue tile with a connector's pins and a square wave.
convert -size 64x64 xc:none \
    -fill '#1f4e79' -stroke '#0f2f4f' -strokewidth 2 -draw "roundrectangle 2,2 61,61 10,10" \
    -fill none -stroke white -strokewidth 4 \
    -draw "polyline 8,40 16,40 16,22 28,22 28,40 36,40 36,22 48,22 48,40 56,40" \
    -fill '#f2c14e' -stroke none \
    -draw "circle 16,52 16,55" -draw "circle 32,52 32,55" -draw "circle 48,52 48,55" \
    -strip icon.png
