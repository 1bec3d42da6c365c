#!/usr/bin/env bash
# Packs the release archive for Windows users from a built 32-bit program:
#   make-dist.sh X86_BUILD_DIR OUT_DIR  ->  OUT_DIR/polkamina-clock-<version>.zip
# holding clock.exe, wave/w01.wav ... w06.wav and readme.txt (Japanese, Shift-JIS, CR LF).
set -euo pipefail
SOURCE="$(cd "$(dirname "$0")/../.." && pwd)"
BIN="$1/bin"
OUT="$(mkdir -p "$2" && cd "$2" && pwd)"
# The version lives in resources/version.h only.
VERSION=$(sed -n 's/^#define CLOCK_VERSION_\(MAJOR\|MINOR\) \([0-9]\+\)$/\2/p' \
  "$SOURCE/resources/version.h" | paste -sd.)
[[ "$VERSION" =~ ^[0-9]+\.[0-9]+$ ]] || { echo "make-dist: no version in version.h" >&2; exit 1; }
ZIP="$OUT/polkamina-clock-$VERSION.zip"

# A program that would call through an empty import slot, or load a DLL of the same name left
# beside it, is not packed.
python3 "$SOURCE/tools/dist/pe-imports.py" "$BIN/clock.exe" >/dev/null ||
  { echo "make-dist: $BIN/clock.exe is not fit to ship" >&2; exit 1; }

STAGE=$(mktemp -d)
trap 'rm -rf "$STAGE"' EXIT
mkdir "$STAGE/wave"
cp "$BIN/clock.exe" "$STAGE/"
for i in 1 2 3 4 5 6; do cp "$BIN/wave/w0$i.wav" "$STAGE/wave/"; done
# iconv fails on any character Shift-JIS cannot hold, so a bad readme stops the release here.
sed "s/@VERSION@/$VERSION/g; s/\$/\r/" "$SOURCE/docs/readme.ja.txt" |
  iconv -f UTF-8 -t CP932 >"$STAGE/readme.txt"
# Every entry gets the time of the last commit, so the same sources give the same archive.
export TZ=UTC
STAMP=$(git -C "$SOURCE" log -1 --format=%cd --date=format-local:%Y%m%d%H%M.%S 2>/dev/null || true)
[ -z "$STAMP" ] || find "$STAGE" -exec touch -t "$STAMP" {} +

rm -f "$ZIP"
(cd "$STAGE" && zip -q -X -D "$ZIP" clock.exe wave/w0?.wav readme.txt)
echo "$ZIP"
