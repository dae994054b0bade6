#!/usr/bin/env bash
# Redraws the window icon and the three 200 x 22 indicator pictures with ImageMagick.
# The pictures are committed; run this only to change them.
set -euo pipefail
cd "$(dirname "$0")"
command -v convert >/dev/null || { [ "$(id -u)" -eq 0 ] && apt-get install -y -q imagemagick || sudo apt-get install -y -q imagemagick; }

font=/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc

# A bar in the colour of its verdict, the verdict written on its left and a pale right end on
# which the window prints the industry percentage.
indicator() { # file colour text
    convert -size 200x22 xc:white \
        -fill "$2" -draw "rectangle 0,0 150,21" \
        -fill "#f4f4f4" -draw "rectangle 151,0 199,21" \
        -stroke "$2" -fill none -draw "rectangle 0,0 199,21" -stroke none \
        -font "$font" -pointsize 12 -fill white -gravity west -annotate +6+0 "$3" \
        -quality 92 "$1"
}

indicator higher.jpg "#d9261c" "高于行业平均 ▲"
indicator lower.jpg "#1f8a3b" "低于行业平均 ▼"
indicator equal.jpg "#5a6b7b" "与行业平均持平 ="

convert -size 32x32 xc:none -fill "#d9261c" -draw "roundrectangle 0,0 31,31 6,6" \
    -font "$font" -pointsize 20 -fill white -gravity center -annotate +0+0 "云" icon.png
