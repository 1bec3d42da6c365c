#!/usr/bin/env bash
# An alarm set for 07:30 rings in the shipped 32-bit program: the small clock, started at
# 07:29:20, is silent until its clock reads 07:30 and then plays its alarm sound, w01.wav.
. "$CLOCK_SOURCE/tests/e2e/lib.sh"
voiced() { od -An -v -tx2 -w2 "$1" | grep -v 0000; }

start_clock "@2026-12-07 07:29:20" ZIHOU=0 ALARM=1 ALARMTYPE=0 HOURS=7 MINUTES=30
wait_bytes 1 90 || fail "the alarm did not ring"
rang=$(($(now_ms) - T0))
note "the sound began $rang ms after the start at 07:29:20"
within 39000 45000 "$rang" "ms from the start to the alarm sound"
one=$(wav_data w01.wav | voiced /dev/stdin | wc -l)
wait_bytes $(($(wav_data w01.wav | wc -c) + 1)) 30 || fail "the alarm sound does not go on"
cmp -s <(voiced "$AUDIO" | head -n "$one") <(wav_data w01.wav | voiced /dev/stdin) ||
    fail "the sound is not the small clock's alarm"
echo PASS
