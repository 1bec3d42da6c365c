#!/usr/bin/env bash
# The absolute alarm of the real clock under a fake clock: it rings at 07:30 with the message of
# CLOCK.dat under the product title, and OK in the box stops the sound.
. "$(dirname "$0")/lib.sh"

TITLE="ポルカミーナ・アナログ時計"

kill_wine
reset_registry ZIHOU=0 ALARM=1 ALARMTYPE=0 HOURS=7 MINUTES=30 MESSAGE=1
# The message as the dialog stores it: Shift-JIS, the edit's line break as CR CR LF.
printf '起きて！\r\r\n朝の会議です' | iconv -f UTF-8 -t CP932 >"$WORK/CLOCK.dat"
start_clock "@2026-12-07 07:29:45"

note "silent before 07:30"
expect_eq "$(captured_bytes)" "0" "sound before the alarm time"
driver dialog "$TITLE" 100 >/dev/null && fail "a box before the alarm time"

note "at 07:30 the box opens with the file's text and the sound plays"
driver dialog "$TITLE" 20000 >/dev/null || fail "no alarm box"
text="$(driver dialog-text "$TITLE" | iconv -f CP932 -t UTF-8)"
expect_eq "$text" "$(printf '起きて！\n朝の会議です')" "alarm box text"
sound_goes_on || fail "no sound while the box is open"
sound_goes_on || fail "the alarm sound does not go on"

note "OK stops the sound; no second box in the same minute"
driver dialog-command "$TITLE" 1
driver dialog-gone "$TITLE" 5000 || fail "OK did not close the box"
sleep 0.5
sound_goes_on && fail "sound after OK"
driver dialog "$TITLE" 2000 >/dev/null && fail "a second box in the same minute"
expect_eq "$(driver reg-get ALARM)" "1" "the absolute alarm stays armed"

stop_clock
expect_eq "$CLOCK_RC" "0" "exit code"
echo "PASS"
