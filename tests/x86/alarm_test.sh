#!/usr/bin/env bash
# An alarm set for 07:30 rings in the shipped 32-bit program: the small clock started at 07:29:20
# is silent at 07:29:58, then plays w01.wav (emulated, a first sound takes some ten seconds), and
# its box comes to the front, topmost, over the window another program put there at 07:29:50.
. "$CLOCK_SOURCE/tests/e2e/lib.sh"
start_clock "@2026-12-07 07:29:20" ZIHOU=0 ALARM=1 ALARMTYPE=0 HOURS=7 MINUTES=30 MESSAGE=1
sleep $(((T0 + 30000 - $(now_ms)) / 1000)) || fail "the window came after 07:29:50"
driver find clock 1 cover 200 find "$TITLE" 60000 state topmost 1 0 >"$WORK/box.txt" &
BOX=$!
sleep 8
expect "$(bytes)" 0 "bytes played before 07:30"
wait_bytes $(($(wav_data w01.wav | wc -c) + 1)) 60 || fail "the alarm did not ring on"
begins_with w01.wav || fail "the sound is not the small clock's alarm"
wait $BOX || fail "no alarm box"
expect "$(xargs <"$WORK/box.txt")" "1 1 1 1" "the box topmost and in front; over the window"
echo PASS
