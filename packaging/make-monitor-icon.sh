#!/usr/bin/env bash
# Draws linkbench-monitor.png (256 x 256) with ImageMagick, shape for shape as
# linkbench-monitor.svg: ImageMagick on Debian has no SVG reader of its own.
set -euo pipefail
cd "$(dirname "$0")"
wave_a="28,196 56,196 56,174 88,174 88,196 120,196 120,174 136,174 136,196 168,196 168,174 200,174 200,196 228,196"
wave_b="28,208 56,208 56,230 88,230 88,208 120,208 120,230 136,230 136,208 168,208 168,230 200,230 200,208 228,208"
convert -size 256x256 xc:none \
    \( -size 240x240 gradient:'#1f8a70'-'#0d4f40' \
       \( -size 240x240 xc:none -fill white -draw "roundrectangle 0,0 239,239 36,36" \) \
       -alpha set -compose DstIn -composite \) -geometry +8+8 -compose Over -composite \
    -fill '#f2f5f7' -stroke '#083328' -strokewidth 6 -draw "roundrectangle 36,36 220,160 10,10" \
    -stroke none -fill '#2a5db0' \
    -draw "rectangle 54,128 72,148" -draw "rectangle 76,104 94,148" -draw "rectangle 98,66 116,148" \
    -draw "rectangle 120,78 138,148" -draw "rectangle 142,112 160,148" -draw "rectangle 164,134 182,148" \
    -stroke '#d03030' -strokewidth 5 -draw "line 198,50 198,60" -draw "line 198,66 198,76" \
    -draw "line 198,82 198,92" -draw "line 198,98 198,108" -draw "line 198,114 198,124" \
    -draw "line 198,130 198,140" \
    -fill none -stroke white -strokewidth 8 -draw "polyline $wave_a" \
    -stroke '#a8e6d4' -strokewidth 6 -draw "polyline $wave_b" \
    -strip linkbench-monitor.png
