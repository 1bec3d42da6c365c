#!/usr/bin/env bash
# Screenshots of the clock and its dialogs at 100 % and 200 %: starts clock.exe on a private X
# server with each stored SIZE at each scale and saves build/shot-small.png, -medium and -large
# (100 %) and build/shot-small-200.png and the rest (200 %), each cropped to the window; the
# medium clock's alarm dialog and about box as build/shot-alarm.png, shot-about.png and their
# -200 twins. Usage: tools/screenshots.sh BUILD_DIR (the x64 build, which has the driver).
set -u
BUILD="$(cd "${1:-build/x64}" && pwd)"
OUT="$(cd "$BUILD/.." && pwd)"
export BUILD OUT
"$(dirname "$0")/with-xvfb.sh" bash -c '
  drv() { "$BUILD/wine-run" "$BUILD/bin/clock_driver.exe" "$@" | tr -d "\r"; }
  # shot WHAT FILE: the window found as WHAT (clock or a caption), with a margin, into FILE.
  shot() {
    read -r l t r b <<<"$(drv find "$1" 10000 rect)"
    [ -n "$b" ] || { echo "screenshots: no window $1" >&2; exit 1; }
    import -window root -crop "$((r - l + 20))x$((b - t + 20))+$((l - 10))+$((t - 10))" +repage "$2"
    echo "$2"
  }
  "$BUILD/wine-run" --init
  trap "\"$BUILD/wine-run\" reg add \"HKCU\\Control Panel\\Desktop\" /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1; \"$BUILD/wine-run\" --kill" EXIT
  for dpi in 96 192; do
    suffix=$([ $dpi = 96 ] || echo -200)
    "$BUILD/wine-run" reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1
    n=0
    for name in small medium large; do
      drv reg-set SIZE=$n LEFT=20 TOP=20 ALARMTYPE=2 || exit 1
      "$BUILD/wine-run" "$BUILD/bin/clock.exe" &
      pid=$!
      drv find clock 30000 >/dev/null
      sleep 2
      shot clock "$OUT/shot-$name$suffix.png"
      if [ $name = medium ]; then
        for row in "40001 アラーム設定 alarm" "40011 バージョン情報 about"; do
          read -r command caption file <<<"$row"
          drv find clock 5000 cmd $command >/dev/null
          sleep 1
          shot "$caption" "$OUT/shot-$file$suffix.png"
          drv find "$caption" 5000 close >/dev/null
          drv gone "$caption" 5000
        done
      fi
      drv find clock 5000 cmd 40002 >/dev/null
      wait $pid
      n=$((n + 1))
    done
  done
'
