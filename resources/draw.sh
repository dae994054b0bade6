#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Redraws the three 200 x 22 indicator pictures (and their 400 x 44 versions for screens at 200 %)
# with ImageMagick, and renders the icon from icon.svg at every size the desktop asks for.
# The pictures are committed; run this only to change them.
set -euo pipefail
cd "$(dirname "$0")"
if ! dpkg -s imagemagick librsvg2-bin >/dev/null 2>&1; then
    if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
    "${sudo[@]}" apt-get install -y -q imagemagick librsvg2-bin
fi

font=/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc

# A bar in the colour of its verdict, the verdict written on its left and a pale right end on
# which the window prints the industry percentage. Drawn at a scale of 1 or 2.
indicator() { # file colour text scale
    local s=$4
    /usr/bin/convert -size $((200 * s))x$((22 * s)) xc:white \
        -fill "$2" -draw "rectangle 0,0 $((150 * s)),$((22 * s - 1))" \
        -fill "#f4f4f4" -draw "rectangle $((150 * s + 1)),0 $((200 * s - 1)),$((22 * s - 1))" \
        -stroke "$2" -strokewidth "$s" -fill none -draw "rectangle 0,0 $((200 * s - 1)),$((22 * s - 1))" -stroke none \
        -font "$font" -pointsize $((12 * s)) -fill white -gravity west -annotate +$((6 * s))+0 "$3" \
        -quality 92 "$1"
}

for scale in 1 2; do
    suffix=$([ "$scale" -eq 2 ] && echo "@2x" || true)
    indicator "higher$suffix.jpg" "#d9261c" "高于行业平均 ▲" "$scale"
    indicator "lower$suffix.jpg" "#1f8a3b" "低于行业平均 ▼" "$scale"
    indicator "equal$suffix.jpg" "#5a6b7b" "与行业平均持平 =" "$scale"
done

sizes=$(cat icon-sizes)
for size in $sizes; do
    rsvg-convert -w "$size" -h "$size" icon.svg -o "icon-$size.png"
done

# The Windows icon holds the same sizes in one file.
/usr/bin/convert $(for size in $sizes; do echo "icon-$size.png"; done) icon.ico
