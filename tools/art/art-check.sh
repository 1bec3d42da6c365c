#!/bin/sh
# Regenerates the pictures, the icon and the sounds into a temporary folder
# and compares them byte for byte with the committed files, so a change to
# the generators that alters any output cannot go unnoticed.
# Usage: art-check.sh BUILD_DIR   (holds artgen and bellsynth; run from the repository root)
set -u
bin=$1
tmp=$(mktemp -d "${TMPDIR:-/tmp}/art-check.XXXXXX") || exit 1
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/resources" "$tmp/wave"
"$bin/artgen" "$tmp/resources" || { echo "art-check: artgen failed" >&2; exit 1; }
"$bin/bellsynth" "$tmp/wave" || { echo "art-check: bellsynth failed" >&2; exit 1; }
nl='
'
bad=""
n=0
# Every committed file must be made again, and every made file must be committed.
for f in resources/*.bmp resources/clock.ico wave/*.wav; do
    [ -e "$tmp/$f" ] || bad="$bad$nl  $f (committed, but no longer generated)"
done
for f in "$tmp"/resources/* "$tmp"/wave/*; do
    rel=${f#"$tmp"/}
    n=$((n + 1))
    if [ ! -e "$rel" ]; then
        bad="$bad$nl  $rel (generated, but not committed)"
    elif ! cmp -s "$f" "$rel"; then
        bad="$bad$nl  $rel"
    fi
done
if [ -n "$bad" ]; then
    echo "art-check: FAILED, generated files differ from the committed ones:$bad" >&2
    echo "art-check: run 'make art' and review the pictures (make contact-sheet) if the change is meant" >&2
    exit 1
fi
echo "art-check: all $n generated files match the committed ones"
