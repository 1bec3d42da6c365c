#!/usr/bin/env bash
# The alarm of the real clock, run ten times fast: its message, snooze, missing sound, the
# settings dialog, a relative alarm; the message file kept whole when it is huge, unreadable or
# cannot be written; confirmations that hold from their OK.
. "$(dirname "$0")/lib.sh"
DIALOG="アラーム設定"
IDOK=1 # the message box's OK button

note "absolute alarm at 07:30 with a message, the clock started from another folder"
# The message as the dialog stores it (Shift-JIS, the edit's line break as CR CR LF), beside a
# clock that starts in $WORK, as one started at logon or by a shortcut does.
mkdir "$WORK/prog" && cp "$BIN/clock.exe" "$WORK/prog/" && ln -s "$BIN/wave" "$WORK/prog/wave"
printf '起きて！\r\r\n朝の会議です' | iconv -f UTF-8 -t CP932 >"$WORK/prog/CLOCK.dat"
CLOCK_EXE="$WORK/prog/clock.exe" start_clock "@2026-12-07 07:29:00 x10" ZIHOU=0 ALARM=1 \
    ALARMTYPE=0 HOURS=7 MINUTES=30 MESSAGE=1 SNOOZE=1
expect "$(bytes)" 0 "bytes played before 07:30"
box=$(driver find clock 1 gone "$TITLE" 1 find "$TITLE" 15000 text 0xFFFF) ||
    fail "no alarm box, or one before 07:30"
expect "$box" "$(printf '起きて！\n朝の会議です')" "the alarm box's text"
wait_bytes $(($(wav_data w01.wav | wc -c) + 1)) 5 || fail "the alarm sound does not go on"
begins_with w01.wav || fail "the sound is not the small clock's alarm"
note "snooze: the sound stops, and a minute (six seconds) later the same alarm rings again"
driver find "$TITLE" 1 cmd "$(cmd IDC_ALARM_BOX_SNOOZE)" gone "$TITLE" 5000 || fail "no snooze"
snoozed=$(now_ms)
sleep 0.3
quiet 1 || fail "sound after スヌーズ"
: >"$AUDIO"
again=$(driver find "$TITLE" 10000 text 0xFFFF) || fail "the snoozed alarm did not come again"
within 4500 8000 $(($(now_ms) - snoozed)) "ms from スヌーズ to the alarm again"
expect "$again" "$box" "the snoozed alarm's text"
wait_bytes 1 3 || fail "the snoozed alarm is silent"
driver find "$TITLE" 1 cmd $IDOK gone "$TITLE" 5000 || fail "OK did not close the box"
sleep 0.3
quiet 1 || fail "sound after OK"
: >"$AUDIO"
wait_bytes 1 8 && fail "the alarm rang again after OK"
driver find "$TITLE" 2000 >/dev/null && fail "a second box in the same minute"
expect "$(driver reg-get ALARM)" "ALARM=1" "the absolute alarm stays armed"
stop_clock

note "an alarm whose sound file is missing shows a box that names it, in any letters"
mkdir -p "$WORK/Café" && cp "$BIN/clock.exe" "$WORK/Café/"
CLOCK_EXE="$WORK/Café/clock.exe" start_clock "@2026-12-07 07:29:58 x10" ZIHOU=0 ALARM=1 \
    HOURS=7 MINUTES=30
text=$(driver find "$TITLE" 5000 text 0xFFFF)
[[ "$text" == *Café*w01.wav ]] || fail "no box that names the missing sound file: '$text'"
driver find "$TITLE" 1 cmd $IDOK gone "$TITLE" 5000 || fail "OK did not close the box"
stop_clock

note "no alarm stored, through midnight; Cancel in the dialog; a relative alarm of one minute"
start_clock "@2026-12-07 23:59:50 x10" ZIHOU=0 QUIET=1 QUIETFROM=23 QUIETTO=24 SNOOZE=0
E=$(cmd IDC_ALARM_ENABLE) R=$(cmd IDC_ALARM_RELATIVE) D=$(cmd IDC_ALARM_DELAY)
Q=$(cmd IDC_ALARM_QUIET) F=$(cmd IDC_ALARM_QUIET_FROM) T=$(cmd IDC_ALARM_QUIET_TO)
S=$(cmd IDC_ALARM_SNOOZE)
# set_alarm BUTTON: prints what the dialog shows (enabled, relative, delay, quiet, from, to,
# snooze), sets a relative alarm of 0 (one minute), quiet hours off from 21 to 6, a snooze of 75
# minutes, and leaves with BUTTON.
set_alarm() {
    menu IDM_ALARM_SETTINGS
    driver find "$DIALOG" 10000 checked $E checked $R text $D checked $Q text $F text $T text $S \
        click $E click $R set $D 0 click $Q set $F 21 set $T 6 set $S 75 cmd "$(cmd "$1")" \
        gone "$DIALOG" 5000 | tr '\n' ' '
}
expect "$(set_alarm IDC_ALARM_CANCEL)" "0 0 0 1 23 7 10 " "the dialog on QUIETTO=24 and SNOOZE=0, out of range"
expect "$(set_alarm IDC_ALARM_OK)" "0 0 0 1 23 7 10 " "the dialog after Cancel"
armed=$(now_ms)
expect "$(bytes)" 0 "bytes played through midnight"
expect "$(driver reg-get ALARM ALARMTYPE MINUTES2 QUIET QUIETFROM QUIETTO SNOOZE)" \
    "ALARM=1 ALARMTYPE=1 MINUTES2=1 QUIET=0 QUIETFROM=21 QUIETTO=6 SNOOZE=60" "after OK"
# One minute is six seconds here: the sound starts at about 6 s and ends at about 12 s.
wait_bytes 1 20 || fail "the relative alarm did not ring"
start=$(now_ms) last=$(now_ms) size=$(bytes)
while [ $(($(now_ms) - last)) -lt 2500 ]; do # until 2.5 s without growth
    sleep 0.1
    [ "$(bytes)" = "$size" ] || size=$(bytes) last=$(now_ms)
done
note "sound from $((start - armed)) to $((last - armed)) ms after OK"
within 4000 8500 $((start - armed)) "ms from OK to the alarm sound"
within 10000 15000 $((last - armed)) "ms from OK to the end of the alarm sound"
expect "$(driver reg-get ALARM)" "ALARM=0" "the relative alarm after ringing"
driver find "$TITLE" 1 >/dev/null && fail "a message box without a message"
stop_clock

note "a huge message file: the dialog opens at once, and the file is kept unless the user says"
M=$(cmd IDC_ALARM_MESSAGE) OK=$(cmd IDC_ALARM_OK) IDYES=6 IDNO=7
head -c 4000000 /dev/zero | tr '\0' 'a' >"$WORK/CLOCK.dat"
cp "$WORK/CLOCK.dat" "$WORK/huge.dat"
start_clock "@2026-12-07 12:00:30 x10" ZIHOU=0
# edit_message STEPS...: opens the dialog, runs the steps on it, then OK.
edit_message() {
    local t=$(now_ms)
    driver find clock 5000 cmd "$(cmd IDM_ALARM_SETTINGS)" find "$DIALOG" 5000 >/dev/null ||
        fail "the settings dialog did not open"
    OPENED_MS=$(($(now_ms) - t))
    driver find clock 1 notice 0 0 10000 || fail "the clock does not answer"
    driver find "$DIALOG" 1 "$@" cmd "$OK" >/dev/null || fail "no OK for $*"
}
# answer PATTERN BUTTON: the box the OK brought says PATTERN (paths with '/'); BUTTON answers it,
# and the dialog goes.
answer() {
    local text
    text=$(driver find "$TITLE" 10000 text 0xFFFF) || fail "no box after OK"
    [[ "${text//\\//}" == $1 ]] || fail "the box does not say why: '$text'"
    driver find "$TITLE" 1 cmd "$2" gone "$DIALOG" 5000 || fail "the dialog stayed open"
}
edit_message
note "the dialog opened in $OPENED_MS ms"
within 0 1500 "$OPENED_MS" "ms until the dialog shows a huge file"
driver gone "$DIALOG" 5000 || fail "the dialog stayed open"
cmp -s "$WORK/CLOCK.dat" "$WORK/huge.dat" || fail "OK without an edit changed the file"
edit_message type "$M" short
answer "*CLOCK.dat*長すぎる*失われます*" $IDNO
cmp -s "$WORK/CLOCK.dat" "$WORK/huge.dat" || fail "the huge file was replaced after No"

note "an unreadable message file is replaced only when the user says so"
printf 'held' >"$WORK/CLOCK.dat"
# Held open without sharing while the dialog reads it.
driver find clock 5000 hold "Z:$WORK/CLOCK.dat" cmd "$(cmd IDM_ALARM_SETTINGS)" \
    find "$DIALOG" 5000 >/dev/null || fail "the settings dialog did not open"
driver find "$DIALOG" 1 type "$M" new cmd "$OK" >/dev/null || fail "no OK"
answer "*CLOCK.dat*読み込めなかった*" $IDYES
expect "$(cat "$WORK/CLOCK.dat")" new "the unreadable file after Yes"

note "a message that cannot be written is reported; the old file and the other settings stay"
printf 'old' >"$WORK/CLOCK.dat"
mkdir "$WORK/CLOCK.dat.new" # where the new text is written first
menu IDM_ALARM_SETTINGS
driver find "$DIALOG" 10000 type "$M" new set "$(cmd IDC_ALARM_HOURS)" 7 cmd "$OK" >/dev/null ||
    fail "the settings dialog did not open"
answer "*Z:$WORK/CLOCK.dat*" $IDOK # names the folder
expect "$(cat "$WORK/CLOCK.dat")" old "the message file after a failed save"
expect "$(driver reg-get ALARM HOURS)" "ALARM=0 HOURS=7" "the settings saved all the same"
rmdir "$WORK/CLOCK.dat.new"

note "a confirmation holds from its OK: a later Cancel, or the older alarm's box, undoes nothing"
printf 'wake' >"$WORK/CLOCK.dat"
start_clock "@2026-12-07 12:00:30 x10" ZIHOU=0 ALARM=1 ALARMTYPE=1 MINUTES2=1 MESSAGE=1
menu IDM_ALARM_SETTINGS
driver find "$DIALOG" 10000 >/dev/null || fail "the settings dialog did not open"
driver find "$TITLE" 15000 >/dev/null || fail "the older alarm did not ring"
printf 'next' >"$WORK/CLOCK.dat" # what the next box will show
driver find "$DIALOG" 1 set "$(cmd IDC_ALARM_HOURS)" 9 cmd "$OK" gone "$DIALOG" 5000 ||
    fail "the dialog stayed open"
ok=$(now_ms)
# The clock can be reached again once the dialog is gone: open it anew and cancel.
menu IDM_ALARM_SETTINGS
driver find "$DIALOG" 10000 cmd "$(cmd IDC_ALARM_CANCEL)" gone "$DIALOG" 5000 || fail "no Cancel"
# The older alarm's box stays open while the confirmed alarm starts, a delay after the OK.
: >"$AUDIO"
wait_bytes 1 9 || fail "the confirmed alarm did not ring"
within 4000 8500 $(($(now_ms) - ok)) "ms from the confirming OK to the alarm"
driver find "$TITLE" 1 cmd $IDOK >/dev/null || fail "the older alarm's box went"
# Then the confirmed alarm's own box; its OK stops it.
for _ in $(seq 30); do
    box=$(driver find "$TITLE" 200 text 0xFFFF) && [ "$box" = next ] && break
    sleep 0.1
done
expect "$box" next "the confirmed alarm's own box"
driver find "$TITLE" 1 cmd $IDOK gone "$TITLE" 3000 || fail "the confirmed alarm's box stayed"
sleep 0.3
quiet 1 || fail "the confirmed alarm's OK did not stop it"
expect "$(driver reg-get ALARM MINUTES2 HOURS)" "ALARM=0 MINUTES2=1 HOURS=9" "after its OK"

stop_clock
echo PASS
