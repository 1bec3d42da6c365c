#!/usr/bin/env bash
# Starts the clock under Wine. With a display it runs there until closed; without one it runs on
# a private X server for a few seconds and leaves a screenshot in the build folder.
set -u
BUILD="$(cd "$1" && pwd)"
if [ -n "${DISPLAY:-}" ]; then
  CLOCK_REAL_AUDIO=1 exec "$BUILD/wine-run" "$BUILD/bin/clock.exe"
fi
SHOT="$BUILD/../clock-screenshot.png"
export SHOT BUILD
"$(dirname "$0")/with-xvfb.sh" bash -c '
  "$BUILD/wine-run" --init
  "$BUILD/wine-run" "$BUILD/bin/clock.exe" &
  sleep "${CLOCK_RUN_SECONDS:-5}"
  import -window root "$SHOT"
  "$BUILD/wine-run" --kill
  wait
'
echo "$(cd "$(dirname "$SHOT")" && pwd)/$(basename "$SHOT")"
