#!/usr/bin/env bash
# An alarm set for 07:30 rings in the shipped 32-bit program: the small clock started at 07:29:20
# is silent at 07:29:58, then plays w01.wav (emulated, a first sound takes some ten seconds).
. "$CLOCK_SOURCE/tests/e2e/lib.sh"
start_clock "@2026-12-07 07:29:20" ZIHOU=0 ALARM=1 ALARMTYPE=0 HOURS=7 MINUTES=30
sleep $(((T0 + 38000 - $(now_ms)) / 1000)) || fail "the window came after 07:29:58"
expect "$(bytes)" 0 "bytes played before 07:30"
wait_bytes $(($(wav_data w01.wav | wc -c) + 1)) 60 || fail "the alarm did not ring on"
begins_with w01.wav || fail "the sound is not the small clock's alarm"
echo PASS
