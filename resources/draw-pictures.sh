#!/bin/sh
# Draws the application's pictures from their vector sources in pictures/*.mvg (ImageMagick's
# drawing language), each at its base size and at twice that size for high-resolution screens.
# Needs ImageMagick 6 or 7 and the URW base-35 fonts (C059). Run from any directory; the PNGs
# are written next to this script and committed, so building the application does not need it.
set -eu
cd "$(dirname "$0")"

if command -v magick >/dev/null 2>&1; then convert="magick"; else convert="convert"; fi

# name width height
pictures="Quor 381 75
Question48 26 48
kappa64 64 64"

echo "$pictures" | while read -r name width height; do
    # The drawing is handed over inline: the usual security policy refuses "@file" arguments.
    drawing=$(cat "pictures/$name.mvg")
    for scale in 1 2; do
        if [ "$scale" = 1 ]; then out="$name.png"; else out="$name@${scale}x.png"; fi
        $convert -size "$((width * scale))x$((height * scale))" xc:none \
            -draw "scale $scale,$scale $drawing" \
            -depth 8 -strip "PNG32:$out"
        echo "wrote $out"
    done
done
