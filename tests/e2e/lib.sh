# Shared helpers of the end-to-end scripts; every tests/e2e/*_test.sh sources this file.
# CTest sets CLOCK_SOURCE, CLOCK_BUILD and WINE_RUN; make test provides the private X server.
set -u
: "${CLOCK_SOURCE:?run through ctest}" "${CLOCK_BUILD:?}" "${WINE_RUN:?}"
BIN="$CLOCK_BUILD/bin"
# The 32-bit program's stories (tests/x86) drive it with the 64-bit driver, and wait longer.
DRIVER="${CLOCK_DRIVER:-$BIN/clock_driver.exe}" WINDOW_MS="${CLOCK_WINDOW_MS:-30000}"
TITLE="ポルカミーナ・アナログ時計"
# A scratch folder per script: the clock's current directory (CLOCK.dat), capture, screenshots.
WORK="$CLOCK_BUILD/e2e/$(basename "$0" .sh)"
rm -rf "$WORK" && mkdir -p "$WORK/bin"
# The story's own copy of the program, its sounds linked: a CLOCK.dat beside the built one (which
# a clock of `make run` saves) is never the story's.
cp "$BIN/clock.exe" "$WORK/bin/" && ln -s "$BIN/wave" "$WORK/bin/wave"
# The sound device reopens the capture for every play-through; a pipe appends instead.
AUDIO="$WORK/audio.raw"
export CLOCK_AUDIO_CAPTURE="|cat >>$AUDIO"
# File times stay real under faketime, or Wine takes its prefix for outdated at every start.
export NO_FAKE_STAT=1
# Preloaded directly: the faketime wrapper waits for every process its child leaves behind.
FAKETIME_LIB=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
CLOCK_PID=""

note() { echo "-- $*"; }
fail() { echo "FAIL: $*" >&2 && exit 1; }
expect() { [ "$1" = "$2" ] || fail "$3: got '$1', expected '$2'"; }
within() { [ "$3" -ge "$1" ] && [ "$3" -le "$2" ] || fail "$4: $3 is not within $1..$2"; }
now_ms() { date +%s%3N; }

# cmd NAME: the number behind a command or control name of resources/resource.h.
cmd() {
    local id
    id=$(sed -n "s/^#define $1 \([0-9]*\)\$/\1/p" "$CLOCK_SOURCE/resources/resource.h")
    [ -n "$id" ] || fail "no id $1 in resource.h"
    echo "$id"
}

# driver STEP...: runs the driver's steps in the prefix (see driver.cpp); output without CRs.
driver() {
    "$WINE_RUN" "$DRIVER" "$@" </dev/null | tr -d '\r'
    return "${PIPESTATUS[0]}"
}
# menu NAME...: chooses these pop-up menu commands on the clock, in order.
menu() {
    local steps=() name
    for name in "$@"; do steps+=(cmd "$(cmd "$name")"); done
    driver find clock 5000 "${steps[@]}" || fail "no clock for $*"
    sleep 0.3
}

# run_value query|delete|add ARGS...: reg.exe on the Run value PolkaminaClock; a query prints the
# text (nothing when missing). A script that writes it deletes it at its end: a value left behind
# would start a clock with Wine's sessions.
run_value() {
    "$WINE_RUN" reg "$1" 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v PolkaminaClock \
        "${@:2}" </dev/null 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p'
}

# At the end the prefix's wineserver goes, unless a suite keeps its session (CLOCK_SESSION_KEPT).
[ -n "${CLOCK_SESSION_KEPT:-}" ] || trap '"$WINE_RUN" --kill >/dev/null 2>&1' EXIT

# scale DPI: the system's dots per inch (100 % is 96) for the programs started from now on, in a
# new session: Wine's answers other processes with the scale it started at. The prefix keeps it,
# so a script that calls it sets 96 back at its end.
DPI=96
scale() {
    "$WINE_RUN" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        </dev/null >/dev/null 2>&1 || fail "cannot set the scale to $1"
    DPI=$1
    [ -n "${CLOCK_SESSION_KEPT:-}" ] || { "$WINE_RUN" --kill >/dev/null 2>&1 && SESSION=""; }
}

# watch SIZE MS [STEP...]: after the driver's steps, MS ms of what the screen shows are each the
# frame composed for the second then (or the one before), gone 150 ms after it at the latest, a
# new one at every turn, in the large size eight a second in the pendulum's order (broken off
# where the driver looked away, for at most half the time). WATCH_ENV: the clock's time setting.
WATCH_ENV=()
watch() {
    local size=$1 ms=$2 pictures unknown late seen swing run one=23432101 # one swing's frames
    shift 2
    read -r pictures unknown late seen swing <<<"$("${WATCH_ENV[@]}" "$WINE_RUN" "$DRIVER" \
        find clock 5000 "$@" watch "$size" "$ms" </dev/null | tr -d '\r')"
    note "$pictures pictures in $ms ms ($seen seen), $unknown unknown, $late ms late: $swing"
    expect "$unknown" 0 "pictures of size $size that are no composed frame"
    within 0 150 "$late" "ms the hands of a second stayed after it"
    within $((ms / 1000 + 1)) 99 "$pictures" "pictures in $ms ms"
    within $((ms / 2)) "$ms" "$seen" "ms the driver looked on"
    [ "$size" = 2 ] || return 0
    within $((seen * 8 / 1000)) 99 "$pictures" "pendulum pictures in $seen ms"
    for run in ${swing//./ }; do
        [[ "$one$one$one$one" == *"$run"* ]] || fail "the pendulum swings $swing"
    done
}

# start_clock WHEN [NAME=VALUE...]: ends a running clock without saving, leaves exactly the given
# values in the store, empties the capture and starts clock.exe in $WORK; returns once its window
# shows, with T0 the launch time (ms). WHEN: "" real time; a faketime setting such as
# "@2026-12-07 14:59:55 x10"; "file:$OFFSET", the offset set_time writes. The session's first call
# starts the wineserver (tick count, timers) under its setting, whose pace later calls must keep.
# CLOCK_EXE, when set, is the program to start instead of the copy.
SESSION="${CLOCK_SESSION_KEPT:-}"
OFFSET="$WORK/offset"
FAKED=(env LD_PRELOAD="$FAKETIME_LIB" FAKETIME_TIMESTAMP_FILE="$OFFSET" FAKETIME_CACHE_DURATION=1
    FAKETIME_DONT_FAKE_MONOTONIC=1)
# set_time HH:MM:SS[.mmm]: the time of day on 7 December of a clock started with "file:$OFFSET".
# libfaketime reads the file again once the whole seconds since its last read exceed the cache's
# one: up to 2 s after the write.
set_time() {
    awk -v t="$(date -d "2026-12-07 $1" +%s.%N)" -v n="$(date +%s.%N)" \
        'BEGIN { printf "%+.3f\n", t - n }' >"$OFFSET"
    sleep 2.1
}
POWER=536 RESUME=18 # the resume notice: WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC
start_clock() {
    local fake=()
    [ -z "$1" ] || fake=(env LD_PRELOAD="$FAKETIME_LIB" FAKETIME="$1")
    [ "${1#file:}" = "$1" ] || fake=("${FAKED[@]}")
    shift
    if [ -z "$SESSION" ]; then
        "$WINE_RUN" --kill >/dev/null 2>&1
        "${fake[@]}" "$WINE_RUN" --wineserver -f -p >/dev/null 2>&1 &
        sleep 0.5
        # The first client boots the session (and its timeouts) at the server's pace; it stays,
        # so the session lives on between clocks.
        "${fake[@]}" "$WINE_RUN" "$DRIVER" desktop sleep 99999999 >/dev/null &
        [ ${#fake[@]} -eq 0 ] || sleep 2
        SESSION=1
    fi
    [ -z "$CLOCK_PID" ] || { driver find clock 1 kill && wait_clock; }
    driver reg-set "$@" || fail "cannot set the store"
    : >"$AUDIO"
    T0=$(now_ms)
    (cd "$WORK" && exec "${fake[@]}" "$WINE_RUN" "${CLOCK_EXE:-$WORK/bin/clock.exe}" </dev/null) &
    CLOCK_PID=$!
    driver find clock "$WINDOW_MS" >/dev/null || fail "the clock window did not appear"
}

# stop_clock: chooses "終了" and expects the process to end with exit code 0.
stop_clock() {
    menu IDM_EXIT
    wait_clock
    expect "$CLOCK_RC" 0 "exit code"
}

# wait_clock: waits (at most 20 s) for the clock process to end; its exit code is CLOCK_RC.
wait_clock() {
    for _ in $(seq 200); do kill -0 "$CLOCK_PID" 2>/dev/null && sleep 0.1; done
    kill -0 "$CLOCK_PID" 2>/dev/null && fail "the clock did not end"
    wait "$CLOCK_PID"
    CLOCK_RC=$?
    CLOCK_PID=""
}

# bytes: bytes played so far into the capture.
bytes() { stat -c %s "$AUDIO"; }
# wait_bytes N SECONDS: true once the capture holds N bytes, false when the time is up first.
wait_bytes() {
    local end=$(($(now_ms) + $2 * 1000))
    while [ "$(bytes)" -lt "$1" ]; do
        [ "$(now_ms)" -lt "$end" ] || return 1
        sleep 0.05
    done
}
# quiet SECONDS: true when nothing more is played for that long.
quiet() { local b=$(bytes) && sleep "$1" && [ "$(bytes)" = "$b" ]; }
# wav_data NAME: the samples of a sound file of the clock (canonical 44-byte header).
wav_data() {
    tail -c +45 "$BIN/wave/$1" | head -c "$(od -An -tu4 -j40 -N4 "$BIN/wave/$1" | tr -d ' ')"
}
# voiced FILE: its 16-bit samples without the silent ones the device plays when it runs dry.
voiced() { od -An -v -tx2 -w2 "$1" | grep -v 0000; }
# begins_with NAME: true when what was played begins with that sound file, voiced.
begins_with() {
    cmp -s <(voiced "$AUDIO" | head -n "$(wav_data "$1" | voiced /dev/stdin | wc -l)") \
        <(wav_data "$1" | voiced /dev/stdin)
}
