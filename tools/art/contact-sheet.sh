#!/bin/sh
# Composes a contact sheet of every picture: 1:1 and 3x, on mid-grey and on
# white, with the key colour shown as the desktop would show it (see-through).
# Usage: contact-sheet.sh OUT.png   (run from the repository root)
set -eu
out=$1
tmp="${out%.png}.d"
rm -rf "$tmp"
mkdir -p "$tmp"
rows=""
# Labels need some font; take the first one ImageMagick knows, if any.
font=$(convert -list font 2>/dev/null | sed -n 's/^ *Font: //p' | head -n 1)
label_opts=""
[ -n "$font" ] && label_opts="-font $font"
add_row() { # name source.png
    name=$1 src=$2
    tiles=""
    for scale in 100 300; do
        for bg in gray50 white; do
            t="$tmp/$name-$scale-$bg.png"
            convert "$src" -scale "$scale%" -background "$bg" -flatten "$t"
            tiles="$tiles $t"
        done
    done
    # shellcheck disable=SC2086
    montage $label_opts -label "$name" $tiles -tile x1 -geometry +6+6 -background '#c8c8d0' "$tmp/row-$name.png"
    rows="$rows $tmp/row-$name.png"
}
for f in resources/*.bmp; do
    name=$(basename "$f" .bmp)
    key=$(convert "$f" -format '%[pixel:p{0,0}]' info:)
    convert "$f" -alpha set -fuzz 0 -transparent "$key" "$tmp/$name.png"
    add_row "$name" "$tmp/$name.png"
done
i=0
for depth in 4bpp 8bpp; do
    convert "resources/clock.ico[$i]" "$tmp/icon-$depth.png"
    add_row "icon-$depth" "$tmp/icon-$depth.png"
    i=$((i + 1))
done
# shellcheck disable=SC2086
convert -background '#c8c8d0' $rows -append "$out"
echo "wrote $out"
