#!/usr/bin/env bash
# The hourly chime of the real clock, run ten times fast and heard in the captured audio: each
# size, a size change in the first minute, quiet hours, a locked or disconnected session, and
# "アラーム停止" ending the strikes for the rest of the hour.
. "$(dirname "$0")/lib.sh"

# heard WHAT NAME COUNT...: the capture becomes these sounds, each COUNT times, then nothing.
heard() {
    local what=$1 want="${*:2}" n
    shift
    while [ $# -gt 1 ]; do
        for ((n = 0; n < $2; n++)); do wav_data "$1"; done
        shift 2
    done >"$WORK/expected.raw"
    wait_bytes "$(stat -c %s "$WORK/expected.raw")" 15
    quiet 1 || fail "$what: the chime goes on"
    cmp -s <(voiced "$AUDIO") <(voiced "$WORK/expected.raw") ||
        fail "$what: heard $(bytes) bytes, not just $want"
}

# chime START SIZE HEARD [ACTIONS HEARD-AFTER]: a clock of that size (and settings) on a fresh
# store, started at START, strikes HEARD; after the menu choices ACTIONS, HEARD-AFTER.
chime() {
    note "size $2 at $1${4:+, then $4}"
    start_clock "@2026-12-07 $1 x10" SIZE=$2
    heard "size $2 at $1" $3
    if [ $# -gt 3 ]; then
        menu $4
        heard "after $4" $3 $5
    fi
}
#     START     SIZE HEARD        ACTIONS           HEARD AFTER THE ACTIONS
chime 14:59:58  0    "w02.wav 3"  IDM_SIZE_MEDIUM  "w04.wav 1"
chime 14:59:58  2    "w06.wav 3"
# Quiet hours from 22 to 7 (the stored hours' defaults): none at 23:00, seven strikes at 07:00.
chime 22:59:58  "0 QUIET=1" ""
chime 06:59:58  "0 QUIET=1" "w02.wav 7"

note "locked before the hour: nothing painted, the strikes on time; unlocked: painted at once"
start_clock "@2026-12-07 14:58:30 x10" SIZE=2
read -r locked later <<<"$(driver find clock 5000 session 7 sleep 50 screen sleep 500 screen | tr '\n' ' ')"
expect "$later" "$locked" "what the window of the locked clock shows five seconds later"
heard "locked" w06.wav 3 # still locked: the hour's first wake comes on time (see WakeTest)
read -r locked unlocked <<<"$(driver find clock 5000 screen session 8 sleep 30 screen | tr '\n' ' ')"
[ "$unlocked" != "$locked" ] || fail "the unlocked clock shows the picture it had when locked"
# A Remote Desktop client that disconnects leaves nobody to see the clock until it connects again.
read -r gone later <<<"$(driver find clock 5000 session 4 sleep 50 screen sleep 500 screen | tr '\n' ' ')"
expect "$later" "$gone" "what the window shows five seconds after the remote client left"
read -r gone back <<<"$(driver find clock 5000 screen session 3 sleep 30 screen | tr '\n' ' ')"
[ "$back" != "$gone" ] || fail "the reconnected clock shows the picture it had when disconnected"

note "\"アラーム停止\" after the first of the twelve strikes of midnight ends them for the hour"
start_clock "@2026-12-07 23:59:42 x10" SIZE=2
# Waiting beforehand inside the prefix, the choice reaches the clock while it strikes.
driver find clock 5000 size "Z:$AUDIO" "$(wav_data w06.wav | wc -c)" cmd "$(cmd IDM_ALARM_STOP)"
sleep 0.5 # what the device already holds still plays
quiet 1 || fail "the chime goes on after the stop"
strikes=$(($(voiced "$AUDIO" | wc -l) * 10 / $(wav_data w06.wav | voiced /dev/stdin | wc -l)))
note "heard $strikes tenths of a strike"
within 10 30 "$strikes" "tenths of a strike heard"
stop_clock
echo PASS
