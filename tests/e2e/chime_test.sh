#!/usr/bin/env bash
# The hourly chime of the real program, heard in the captured audio: three strikes at 15:00 in
# the small and large sizes, one in the medium size, a new chime after a size change during the
# first minute, silence when switched off, and "アラーム停止" silencing the strikes for the hour.
. "$(dirname "$0")/lib.sh"

# data_of NAME: the samples of a sound file of the clock (canonical 44-byte header).
data_of() { tail -c +45 "$BIN/wave/$1" | head -c "$(wav_data_bytes "$BIN/wave/$1")"; }

# expect_heard WHAT NAME COUNT [NAME COUNT...]: waits (at most 60 s) until the capture holds as
# many bytes as the sounds given, checks that no more follow, and compares the bytes.
expect_heard() {
    local what="$1" want=0 i
    shift
    : >"$WORK/expected.raw"
    while [ $# -gt 0 ]; do
        for ((i = 0; i < $2; i++)); do data_of "$1" >>"$WORK/expected.raw"; done
        shift 2
    done
    want=$(stat -c %s "$WORK/expected.raw")
    for i in $(seq 1 600); do
        [ "$(captured_bytes)" -ge "$want" ] && break
        sleep 0.1
    done
    sleep 3
    expect_eq "$(captured_bytes)" "$want" "$what: bytes heard"
    cmp -s "$AUDIO" "$WORK/expected.raw" || fail "$what: the sound heard is not the chime"
}

# run_at TIME SIZE ZIHOU: a fresh clock with an empty capture, started at TIME.
run_at() {
    kill_wine
    reset_registry "SIZE=$2" "ZIHOU=$3"
    rm -f "$AUDIO"
    start_clock "@$1"
}

note "small at 15:00: w02 three times; then medium chosen in minute 0: w04 once more"
run_at "2026-12-07 14:59:57" 0 1
expect_heard "small at 15:00" w02.wav 3
driver command 40006 >/dev/null
expect_heard "medium chosen at 15:00" w02.wav 3 w04.wav 1
kill_wine

note "medium at 15:00: w04 once"
run_at "2026-12-07 14:59:57" 1 1
expect_heard "medium at 15:00" w04.wav 1
kill_wine

note "large at 15:00: w06 three times"
run_at "2026-12-07 14:59:57" 2 1
expect_heard "large at 15:00" w06.wav 3
kill_wine

note "switched off: no chime"
run_at "2026-12-07 14:59:58" 0 0
sleep 8
expect_eq "$(captured_bytes)" "0" "bytes heard with the chime off"
kill_wine

note "\"アラーム停止\" during the twelve strikes of midnight ends them for the hour"
run_at "2026-12-07 23:59:58" 2 1
one=$(wav_data_bytes "$BIN/wave/w06.wav")
for i in $(seq 1 600); do
    [ "$(captured_bytes)" -ge "$one" ] && break
    sleep 0.1
done
[ "$(captured_bytes)" -ge "$one" ] || fail "midnight chime not heard"
driver command 40012 >/dev/null
sleep 1
stopped=$(captured_bytes)
sleep 5
expect_eq "$(captured_bytes)" "$stopped" "bytes heard after the stop"
[ "$stopped" -lt $((12 * one)) ] || fail "all twelve strikes were heard despite the stop"
note "stopped after $stopped of $((12 * one)) bytes"
stop_clock
expect_eq "$CLOCK_RC" "0" "exit code"
