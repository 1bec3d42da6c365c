#!/usr/bin/env bash
# The alarm of the real clock, run ten times fast: the absolute alarm with its message under the
# product title, silence through midnight on an empty store, the settings dialog's Cancel, and a
# one-minute relative alarm set through the dialog that rings for a minute and disarms itself;
# a failed message save, a confirmation outliving an older alarm's box, and a late alarm.
. "$(dirname "$0")/lib.sh"
DIALOG="アラーム設定"
IDOK=1 # the message box's OK button

note "absolute alarm at 07:30 with a message"
# The message as the dialog stores it: Shift-JIS, the edit's line break as CR CR LF.
printf '起きて！\r\r\n朝の会議です' | iconv -f UTF-8 -t CP932 >"$WORK/CLOCK.dat"
start_clock "@2026-12-07 07:29:35 x10" ZIHOU=0 ALARM=1 ALARMTYPE=0 HOURS=7 MINUTES=30 MESSAGE=1
expect "$(bytes)" 0 "bytes played before 07:30"
driver find "$TITLE" 1 >/dev/null && fail "a box before 07:30"
text=$(driver find "$TITLE" 15000 text 0xFFFF | iconv -f CP932 -t UTF-8) || fail "no alarm box"
expect "$text" "$(printf '起きて！\n朝の会議です')" "the alarm box's text"
one=$(wav_data w01.wav | wc -c)
wait_bytes $((one + 1)) 5 || fail "the alarm sound does not go on"
cmp -s -n "$one" "$AUDIO" <(wav_data w01.wav) || fail "the sound is not the small clock's alarm"
driver find "$TITLE" 1 cmd $IDOK gone "$TITLE" 5000 || fail "OK did not close the box"
sleep 0.3
quiet 1 || fail "sound after OK"
driver find "$TITLE" 2000 >/dev/null && fail "a second box in the same minute"
expect "$(driver reg-get ALARM)" "ALARM=1" "the absolute alarm stays armed"
stop_clock

note "an empty store through midnight; Cancel in the dialog; a relative alarm of one minute"
start_clock "@2026-12-07 23:59:50 x10" ZIHOU=0
E=$(cmd IDC_ALARM_ENABLE) R=$(cmd IDC_ALARM_RELATIVE) D=$(cmd IDC_ALARM_DELAY)
# set_alarm BUTTON: prints what the dialog shows (enabled, relative, delay), then enables a
# relative alarm of one minute there and leaves with BUTTON.
set_alarm() {
    menu IDM_ALARM_SETTINGS
    driver find "$DIALOG" 10000 checked $E checked $R text $D click $E click $R set $D 1 \
        cmd "$(cmd "$1")" gone "$DIALOG" 5000 | tr '\n' ' '
}
expect "$(set_alarm IDC_ALARM_CANCEL)" "0 0 0 " "the dialog on an empty store"
expect "$(driver reg-get ALARM ALARMTYPE MINUTES2)" "ALARM=- ALARMTYPE=- MINUTES2=-" "after Cancel"
expect "$(set_alarm IDC_ALARM_OK)" "0 0 0 " "the dialog after Cancel"
armed=$(now_ms)
expect "$(bytes)" 0 "bytes played through midnight"
expect "$(driver reg-get ALARM ALARMTYPE MINUTES2)" "ALARM=1 ALARMTYPE=1 MINUTES2=1" "after OK"
# One minute is six seconds here: the sound starts at about 6 s and ends at about 12 s.
start="" last=$armed size=0 patience=20000
# Sampled until 2.5 s without growth once the sound began, or 20 s without any.
while [ $(($(now_ms) - last)) -lt $patience ]; do
    sleep 0.1
    [ "$(bytes)" = "$size" ] && continue
    size=$(bytes) last=$(now_ms) patience=2500
    start=${start:-$last}
done
[ -n "$start" ] || fail "the relative alarm did not ring"
note "sound from $((start - armed)) to $((last - armed)) ms after OK"
within 4000 8500 $((start - armed)) "ms from OK to the alarm sound"
within 10000 15000 $((last - armed)) "ms from OK to the end of the alarm sound"
expect "$(driver reg-get ALARM)" "ALARM=0" "the relative alarm after ringing"
driver find "$TITLE" 1 >/dev/null && fail "a message box without a message"
stop_clock

note "a message that cannot be written is reported; the old file and the other settings stay"
printf 'old' >"$WORK/CLOCK.dat"
mkdir "$WORK/CLOCK.dat.new" # where the new text is written first
start_clock "@2026-12-07 12:00:30 x10" ZIHOU=0
menu IDM_ALARM_SETTINGS
driver find "$DIALOG" 10000 set "$(cmd IDC_ALARM_MESSAGE)" new set "$(cmd IDC_ALARM_HOURS)" 7 \
    cmd "$(cmd IDC_ALARM_OK)" >/dev/null || fail "the settings dialog did not open"
text=$(driver find "$TITLE" 10000 text 0xFFFF | iconv -f CP932 -t UTF-8) || fail "no warning box"
[[ "$text" == *CLOCK.dat* ]] || fail "no warning box that names the file: '$text'"
driver find "$TITLE" 1 cmd $IDOK gone "$DIALOG" 5000 || fail "the dialog stayed open"
expect "$(cat "$WORK/CLOCK.dat")" old "the message file after a failed save"
expect "$(driver reg-get ALARM HOURS)" "ALARM=0 HOURS=7" "the settings saved all the same"
rmdir "$WORK/CLOCK.dat.new"

note "an older alarm's box outlives a confirmation: what was confirmed last is what remains"
printf 'wake' >"$WORK/CLOCK.dat"
start_clock "@2026-12-07 12:00:30 x10" ZIHOU=0 ALARM=1 ALARMTYPE=1 MINUTES2=1 MESSAGE=1
menu IDM_ALARM_SETTINGS
driver find "$DIALOG" 10000 >/dev/null || fail "the settings dialog did not open"
driver find "$TITLE" 15000 >/dev/null || fail "the older alarm did not ring"
driver find "$DIALOG" 1 set "$(cmd IDC_ALARM_HOURS)" 9 cmd "$(cmd IDC_ALARM_OK)" >/dev/null
sleep 7 # the older alarm's minute ends while its box is still open
driver find "$TITLE" 1 cmd $IDOK gone "$DIALOG" 5000 || fail "the dialog stayed open"
expect "$(driver reg-get ALARM MINUTES2 HOURS)" "ALARM=1 MINUTES2=1 HOURS=9" "after the old box"

note "the confirmed alarm's first tick comes over a minute late: it still rings a full minute"
kill -STOP "$CLOCK_PID"
sleep 13 # 130 s for the clock: the whole minute it was due to ring goes by
: >"$AUDIO"
kill -CONT "$CLOCK_PID"
wait_bytes 1 3 || fail "no sound after the late tick"
sleep 3
quiet 0.5 && fail "the late alarm stopped within its minute"
expect "$(driver reg-get ALARM)" "ALARM=1" "armed while ringing"
sleep 4.5
quiet 1 || fail "sound after the ringing minute"
expect "$(driver reg-get ALARM HOURS)" "ALARM=0 HOURS=9" "disarmed a minute after it started"
driver find "$TITLE" 1 cmd $IDOK gone "$TITLE" 5000 || fail "the confirmed alarm showed no box"
stop_clock
echo PASS
