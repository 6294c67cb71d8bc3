#!/bin/bash
# Regenerates every picture under assets/ from its source: the card faces from Debian's
# svg-standard deck, everything else from the drawings in assets/src/.
#
# Needs rsvg-convert (librsvg2-bin), ImageMagick's convert and kdegames-card-data-kf5.
# The output is byte-for-byte reproducible with the same tool versions.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
deck=${TESSARO_DECK:-/usr/share/carddecks/svg-standard/standard.svgz}
src=$root/assets/src
cards=$root/assets/cards
pictures=$root/assets/pictures
icons=$root/assets/icons

for tool in rsvg-convert convert zcat; do
    command -v "$tool" >/dev/null || { echo "make-pictures: $tool is missing" >&2; exit 1; }
done
[ -r "$deck" ] || { echo "make-pictures: no deck at $deck (kdegames-card-data-kf5)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$cards" "$pictures" "$icons"

# Final PNGs carry no time stamps, so a rerun leaves unchanged pictures untouched in git.
save() { convert "$1" -strip -define png:exclude-chunks=date,time "PNG32:$2"; }

# Our own drawings are laid out on the 1x pixel grid; @2x is the same drawing at zoom 2.
draw() {  # draw SOURCE.svg OUT-BASENAME [stylesheet]
    local svg=$1 out=$2 css=()
    [ $# -lt 3 ] || css=(-s "$3")
    rsvg-convert "${css[@]}" "$svg" -o "$work/d1.png"
    rsvg-convert "${css[@]}" -z 2 "$svg" -o "$work/d2.png"
    save "$work/d1.png" "$out.png"
    save "$work/d2.png" "$out@2x.png"
}

# --- Faces 1..52 --------------------------------------------------------------------------
# The deck is one sheet of 71 x 96 pixel-grid cards.  Each card group (id "queen_heart" and so
# on) places the shared outline #card_back with a translation; the card is cut out of a render
# of the whole sheet there, so paths of a card that stray off it cannot move or grow it.
zcat -f "$deck" >"$work/deck.svg"
tr '\n' ' ' <"$work/deck.svg" | sed 's/</\n</g' | awk '
    function attr(name) {
        return match($0, " " name "=\"[^\"]*\"") ? substr($0, RSTART + length(name) + 3,
                                                          RLENGTH - length(name) - 4) : ""
    }
    /^<rect / && attr("id") == "card_back" { left = int(attr("x")); top = int(attr("y")) }
    /^<g / { card = attr("id") }
    /^<use / && /href="#card_back"/ && match($0, /translate\([-0-9.]+,[-0-9.]+\)/) {
        split(substr($0, RSTART + 10, RLENGTH - 11), t, ",")
        print card, t[1] + left, t[2] + top
    }' >"$work/places"

rsvg-convert "$work/deck.svg" -o "$work/sheet1.png"
# The court pictures are 47 x 74 4-bit bitmaps.  At 2x librsvg would smooth them; they are
# enlarged pixel by pixel instead and laid between the card bodies and the vector pips and
# indices drawn over them.
printf 'use { visibility: hidden !important; }\n' >"$work/courts.css"
printf 'image { visibility: hidden !important; }\n' >"$work/bodies.css"
printf 'image { visibility: hidden !important; }\n#card_back { fill: none !important; }\n' \
    >"$work/marks.css"
rsvg-convert -s "$work/courts.css" "$work/deck.svg" -o "$work/courts1.png"
rsvg-convert -s "$work/bodies.css" -z 2 "$work/deck.svg" -o "$work/bodies2.png"
rsvg-convert -s "$work/marks.css" -z 2 "$work/deck.svg" -o "$work/marks2.png"
convert "$work/bodies2.png" \( "$work/courts1.png" -scale 200% \) -composite \
    "$work/marks2.png" -composite "$work/sheet2.png"

# The game's cards are 72 x 97.  Rather than resample, which blurs the crisp 1x art, the
# middle column and row are doubled: every pip, index and court picture keeps its pixels and
# the card stays centred.
cut_card() {  # cut_card SHEET SCALE X Y OUT
    local s=$2 x=$(($3 * $2)) y=$(($4 * $2))
    convert "$1" -crop "$((71 * s))x$((96 * s))+$x+$y" +repage \
        \( -clone 0 -crop "$((36 * s))x$((96 * s))+0+0" \) \
        \( -clone 0 -crop "$((36 * s))x$((96 * s))+$((35 * s))+0" \) \
        -delete 0 +repage +append \
        \( -clone 0 -crop "$((72 * s))x$((49 * s))+0+0" \) \
        \( -clone 0 -crop "$((72 * s))x$((48 * s))+0+$((48 * s))" \) \
        -delete 0 +repage -append "$work/cut.png"
    save "$work/cut.png" "$5"
}

ranks=(1 2 3 4 5 6 7 8 9 10 jack queen king)
suits=(club diamond heart spade)
for r in "${!ranks[@]}"; do
    for s in "${!suits[@]}"; do
        id=${ranks[$r]}_${suits[$s]}
        n=$((4 * r + s + 1))
        place=$(awk -v id="$id" '$1 == id { print $2, $3 }' "$work/places")
        [[ $place =~ ^[0-9]+\ [0-9]+$ ]] || { echo "make-pictures: no card $id in the deck" >&2; exit 1; }
        read -r x y <<<"$place"
        cut_card "$work/sheet1.png" 1 "$x" "$y" "$cards/$n.png"
        cut_card "$work/sheet2.png" 2 "$x" "$y" "$cards/$n@2x.png"
    done
done

# --- Our own drawings ---------------------------------------------------------------------
draw "$src/joker.svg" "$cards/53"
draw "$src/joker.svg" "$cards/54" "$src/joker-colour.css"
draw "$src/back.svg" "$cards/55"
draw "$src/marker.svg" "$pictures/marker"

# The parchment is decoded before the window's first frame. The window shows only its left 558
# columns (the copies lie at x = 0 and x = -8 in a client area 550 pixels wide), so the rest is
# cut off; and it is stored uncompressed and unfiltered, which decodes several times faster than
# deflate and costs little, as a noise-like texture hardly compresses.
# At @2x the same holds for twice the columns; the game loads it only on a high-density screen.
for zoom in 1 2; do
    out=$pictures/background$([ $zoom = 1 ] || echo @2x).png
    rsvg-convert -z $zoom "$src/background.svg" -o "$work/background.png"
    convert "$work/background.png" -crop "$((560 * zoom))x$((246 * zoom))+0+0" +repage -strip \
        -define png:exclude-chunks=date,time -define png:compression-level=0 \
        -define png:compression-filter=0 "PNG32:$out"
done
draw "$src/ornament.svg" "$pictures/ornament"

for size in 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" "$src/icon.svg" -o "$work/icon.png"
    save "$work/icon.png" "$icons/tessaro-$size.png"
done
cp "$src/icon.svg" "$icons/tessaro.svg"
