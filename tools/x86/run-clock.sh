#!/usr/bin/env bash
# run-clock.sh X86_BUILD X64_BUILD: the shipped 32-bit clock in the emulated machine. With a
# display it runs there until closed (silent: the guest has no sound card); without one it runs
# on a private X server until its window shows, and leaves a screenshot beside the builds.
set -u
BUILD=$(cd "$1" && pwd)
DRIVER=$(cd "$2" && pwd)/bin/clock_driver.exe
TOOLS=$(cd "$(dirname "$0")" && pwd)
if [ -n "${DISPLAY:-}" ]; then
    exec "$TOOLS/with-guest.sh" "$BUILD/vm" bash -c '"$1" --init && exec "$1" "$2"' \
        run "$TOOLS/guest-run" "$BUILD/bin/clock.exe"
fi
SHOT=$(dirname "$BUILD")/clock-x86-screenshot.png
export BUILD DRIVER TOOLS SHOT
"$TOOLS/../with-xvfb.sh" "$TOOLS/with-guest.sh" "$BUILD/vm" bash -c '
    "$TOOLS/guest-run" --init || exit 1
    "$TOOLS/guest-run" "$BUILD/bin/clock.exe" &
    "$TOOLS/guest-run" "$DRIVER" find clock 120000 sleep 2000 >/dev/null || echo "no clock window" >&2
    import -window root "$SHOT"
    "$TOOLS/guest-run" --kill
    wait
' || exit 1
echo "$SHOT"
