#!/usr/bin/env bash
# run-stories.sh X86_BUILD X64_BUILD [STORY...]: the shipped 32-bit clock.exe's stories, each
# tests/x86/*_test.sh and "unit", the i686 unit tests (or the ones named), in turn in the one
# emulated machine that with-guest.sh booted, driven by the 64-bit clock_driver.exe in the same
# prefix. Prints each story's time and a closing tally; their output is in X86_BUILD/e2e/.
set -u
CLOCK_SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
CLOCK_BUILD=$(cd "$1" && pwd)
CLOCK_DRIVER=$(cd "$2" && pwd)/bin/clock_driver.exe
shift 2
WINE_RUN=$CLOCK_SOURCE/tools/x86/guest-run
# Emulated, a program's window takes 20 to 40 s to show and a Wine session half a minute to
# start: the stories share one session, started here. The clock's time of day is moved with
# faketime at the real pace, so its tick count and the session's agree without a faked server.
export CLOCK_SOURCE CLOCK_BUILD CLOCK_DRIVER WINE_RUN CLOCK_WINDOW_MS=90000 CLOCK_SESSION_KEPT=1
export FAKETIME_DONT_FAKE_MONOTONIC=1 PLANTED=$CLOCK_BUILD/tests/dist/planted
[ -f "$CLOCK_DRIVER" ] || { echo "run-stories: no $CLOCK_DRIVER (make build-x64)" >&2 && exit 2; }

# The unit tests built for i686 (x87 arithmetic, the pixel loops without SSE2), but for two that
# the emulation cannot judge and make test runs on the x64 build: QEMU computes the x87 sine and
# cosine in double precision, which moves a hand tip by a pixel (the x64 build misses it there
# too), and the player's exact byte count meets the silence Wine pads a slow device with.
unit() {
    [ -f "$CLOCK_BUILD/bin/test_unit.exe" ] || { echo "no i686 test_unit.exe" && return 1; }
    "$WINE_RUN" "$CLOCK_BUILD/bin/test_unit.exe" --gtest_brief=1 \
        --gtest_filter=-HandMath.TipsAreCutTowardTheCenter:WavePlayer.PlaysWhatTheFileHoldsAsOftenAsAsked
}

# The screen is at 150 % (144 dots per inch) for every story: the session takes the scale as it
# starts, and the prefix keeps it, so it goes back to 100 % at the end.
export CLOCK_X86_DPI=144
scale() {
    "$WINE_RUN" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        </dev/null >/dev/null 2>&1
}

now() { date +%s; }
t=$(now)
"$WINE_RUN" --init || { echo "run-stories: the guest's Wine prefix is not ready" >&2 && exit 1; }
scale "$CLOCK_X86_DPI" || { echo "run-stories: cannot set the scale" >&2 && exit 1; }
"$WINE_RUN" --kill
"$WINE_RUN" --wineserver -f -p &
trap 'scale 96; "$WINE_RUN" --kill' EXIT
"$WINE_RUN" "$CLOCK_DRIVER" desktop sleep 99999999 >/dev/null &
"$WINE_RUN" "$CLOCK_DRIVER" desktop >/dev/null
echo "-- guest prefix and session ready in $(($(now) - t)) s"
[ $# -gt 0 ] || set -- unit "$CLOCK_SOURCE"/tests/x86/*_test.sh
passed=0 failed=0
mkdir -p "$CLOCK_BUILD/e2e"
for story in "$@"; do
    name=$(basename "$story" .sh)
    log=$CLOCK_BUILD/e2e/$name.log
    t=$(now)
    # Each line timed; not through a pipe the runner waits on, which the story's clock holds open.
    if [ "$story" = unit ]; then unit; else bash "$story"; fi </dev/null \
        > >(while IFS= read -r line; do printf '%4d s  %s\n' $(($(now) - t)) "$line"; done >"$log") 2>&1
    rc=$? timer=$!
    # A clock the story left running goes before the next one starts its own.
    "$WINE_RUN" "$CLOCK_DRIVER" find clock 1 kill >/dev/null 2>&1
    wait "$timer"
    if [ "$rc" -eq 0 ]; then
        passed=$((passed + 1)) verdict=passed
    else
        failed=$((failed + 1)) verdict=FAILED
        cat "$log"
    fi
    echo "x86 $name: $verdict in $(($(now) - t)) s"
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
