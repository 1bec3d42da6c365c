#!/usr/bin/env bash
# The shipped 32-bit program, set from 07:28 to 07:34 as after a sleep over its 07:30 alarm: at
# the resume notice it rings late, its box says so over another program's window, and its snooze
# stops the sound (emulated, a first sound takes some ten seconds).
. "$CLOCK_SOURCE/tests/e2e/lib.sh"
set_time 07:28:00
start_clock "file:$OFFSET" ZIHOU=0 ALARM=1 ALARMTYPE=0 HOURS=7 MINUTES=30
driver find clock 1 cover 200 find "$TITLE" 60000 state topmost 1 0 >"$WORK/box.txt" &
BOX=$!
for _ in $(seq 120); do xdotool search --name '^cover$' >/dev/null 2>&1 && break; sleep 0.5; done
xdotool search --name '^cover$' >/dev/null 2>&1 || fail "no window of another program in front"
expect "$(bytes)" 0 "bytes played before 07:30"
set_time 07:34:10
driver find clock 1 notice $POWER $RESUME 10000 || fail "the resume notice was not answered"
box=$(driver find "$TITLE" 60000 text 0xFFFF text "$(cmd IDC_ALARM_BOX_SNOOZE)" | tr '\n' '|')
expect "$box" "07:30 のアラーム（4分遅れ）|スヌーズ|" "the late box"
wait_bytes $(($(wav_data w01.wav | wc -c) + 1)) 60 || fail "the alarm did not ring on"
begins_with w01.wav || fail "the sound is not the small clock's alarm"
wait $BOX || fail "no alarm box"
expect "$(xargs <"$WORK/box.txt")" "1 1 1 1" "the box topmost and in front; over the window"
driver find "$TITLE" 1 cmd "$(cmd IDC_ALARM_BOX_SNOOZE)" gone "$TITLE" 10000 || fail "no snooze"
sleep 2 # what the device already holds still plays
quiet 3 || fail "the snooze did not stop the sound"
echo PASS
