#!/usr/bin/env bash
# An alarm set for 07:30 rings in the shipped 32-bit program: the small clock, started at
# 07:29:20, is silent at 07:29:58 and then plays its alarm sound, w01.wav. (Emulated, the first
# sound of a process takes about ten seconds to reach the device.)
. "$CLOCK_SOURCE/tests/e2e/lib.sh"
voiced() { od -An -v -tx2 -w2 "$1" | grep -v 0000; }

start_clock "@2026-12-07 07:29:20" ZIHOU=0 ALARM=1 ALARMTYPE=0 HOURS=7 MINUTES=30
note "the window showed $(($(now_ms) - T0)) ms after the start"
wait=$((T0 + 38000 - $(now_ms)))
[ "$wait" -gt 0 ] || fail "the window came too late to hear the minute before 07:30"
sleep "$((wait / 1000)).$(printf %03d $((wait % 1000)))"
expect "$(bytes)" 0 "bytes played before 07:30"
wait_bytes 1 60 || fail "the alarm did not ring"
note "the sound began $(($(now_ms) - T0)) ms after the start"
one=$(wav_data w01.wav | voiced /dev/stdin | wc -l)
wait_bytes $(($(wav_data w01.wav | wc -c) + 1)) 30 || fail "the alarm sound does not go on"
cmp -s <(voiced "$AUDIO" | head -n "$one") <(wav_data w01.wav | voiced /dev/stdin) ||
    fail "the sound is not the small clock's alarm"
echo PASS
