#!/usr/bin/env bash
# One screenshot of the clock per size: starts clock.exe on a private X server with each stored
# SIZE and saves build/shot-small.png, build/shot-medium.png and build/shot-large.png, cropped to
# the window. Usage: tools/screenshots.sh BUILD_DIR (the x64 build, which has the driver).
set -u
BUILD="$(cd "${1:-build/x64}" && pwd)"
OUT="$(cd "$BUILD/.." && pwd)"
export BUILD OUT
"$(dirname "$0")/with-xvfb.sh" bash -c '
  drv() { "$BUILD/wine-run" "$BUILD/bin/clock_driver.exe" "$@" | tr -d "\r"; }
  "$BUILD/wine-run" --init
  n=0
  for name in small medium large; do
    drv reg-set SIZE=$n LEFT=20 TOP=20 || exit 1
    "$BUILD/wine-run" "$BUILD/bin/clock.exe" &
    pid=$!
    drv find clock 30000 >/dev/null
    sleep 2
    read -r l t r b <<<"$(drv find clock 5000 rect)"
    [ -n "$b" ] || { echo "screenshots: no clock window" >&2; exit 1; }
    import -window root -crop "$((r - l + 20))x$((b - t + 20))+$((l - 10))+$((t - 10))" +repage \
      "$OUT/shot-$name.png"
    echo "$OUT/shot-$name.png"
    drv find clock 5000 cmd 40002 >/dev/null
    wait $pid
    n=$((n + 1))
  done
  "$BUILD/wine-run" --kill
'
