# Shared helpers for the end-to-end tests; sourced by every tests/e2e/*_test.sh.
# CTest sets CLOCK_SOURCE, CLOCK_BUILD and WINE_RUN; make test provides the private X server.
set -u
: "${CLOCK_BUILD:?run through ctest}" "${WINE_RUN:?run through ctest}"
BIN="$CLOCK_BUILD/bin"
E2E_NAME="$(basename "$0" .sh)"
# A scratch folder per test: the clock's current directory (CLOCK.dat), captures, screenshots.
WORK="$CLOCK_BUILD/e2e/$E2E_NAME"
rm -rf "$WORK"
mkdir -p "$WORK"
# The sound device reopens the capture for every play-through and would truncate a plain file,
# so it appends through a pipe instead.
AUDIO="$WORK/audio.raw"
: >"$AUDIO"
export CLOCK_AUDIO_CAPTURE="|cat >>$AUDIO"
CLOCK_PID=""

fail() {
    echo "FAIL: $*" >&2
    cleanup
    exit 1
}

note() { echo "-- $*"; }

# driver ARGS...: runs the driver inside the prefix; output without carriage returns.
driver() { "$WINE_RUN" "$BIN/clock_driver.exe" "$@" | tr -d '\r'; return "${PIPESTATUS[0]}"; }

# expect_eq ACTUAL EXPECTED WHAT
expect_eq() { [ "$1" = "$2" ] || fail "$3: got '$1', expected '$2'"; }

# Ends every Wine process of the prefix (a killed clock saves nothing).
kill_wine() { "$WINE_RUN" --kill >/dev/null 2>&1; }

# start_clock [FAKE_TIME]: starts clock.exe in $WORK, under faketime when a time is given
# (e.g. "@2026-12-07 14:59:57"); the wineserver is restarted so that it shares the fake clock.
start_clock() {
    kill_wine
    # File times stay real under faketime, or Wine takes its prefix for outdated at every start.
    export NO_FAKE_STAT=1
    if [ -n "${1:-}" ]; then
        (cd "$WORK" && exec faketime -f "$1" "$WINE_RUN" "$BIN/clock.exe") &
    else
        (cd "$WORK" && exec "$WINE_RUN" "$BIN/clock.exe") &
    fi
    CLOCK_PID=$!
    driver wait-window 30000 >/dev/null || fail "the clock window did not appear"
}

# stop_clock: chooses "終了" and waits for the process; its exit code lands in CLOCK_RC.
stop_clock() {
    driver command 40002 >/dev/null || fail "no clock to stop"
    wait_clock
}

# wait_clock: waits (at most 30 s) for the clock process to end; sets CLOCK_RC.
wait_clock() {
    local i
    for i in $(seq 1 300); do
        kill -0 "$CLOCK_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$CLOCK_PID" 2>/dev/null && fail "the clock did not end"
    wait "$CLOCK_PID"
    CLOCK_RC=$?
    CLOCK_PID=""
}

# reset_registry NAME=VALUE...: an empty store, then the given values.
reset_registry() {
    driver reg-clear >/dev/null
    local kv
    for kv in "$@"; do
        driver reg-set "${kv%%=*}" "${kv#*=}" >/dev/null || fail "cannot set $kv"
    done
}

# captured_bytes: bytes played so far into the capture file.
captured_bytes() { stat -c %s "$AUDIO" 2>/dev/null || echo 0; }

# sound_goes_on: more sound is captured within the next two seconds.
sound_goes_on() {
    local before i
    before=$(captured_bytes)
    for i in $(seq 1 20); do
        sleep 0.1
        [ "$(captured_bytes)" -gt "$before" ] && return 0
    done
    return 1
}

# wav_data_bytes FILE: size of the data chunk of a canonical WAVE file.
wav_data_bytes() { od -An -tu4 -j40 -N4 "$1" | tr -d ' '; }

cleanup() {
    [ -n "$CLOCK_PID" ] && kill_wine
    CLOCK_PID=""
}
trap cleanup EXIT
