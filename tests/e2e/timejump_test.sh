#!/usr/bin/env bash
# The clock set while it runs (the time of day jumps, the tick count runs on) and told so, as
# after a sleep: rung once though moved back from 07:31 to 07:29; late at 07:34, missed at 09:00;
# the picture of the new time within a quarter second of a resume notice.
. "$(dirname "$0")/lib.sh"
TIMECHANGE=30 IDOK=1
# jump TIME MESSAGE WPARAM: the clock set to TIME, then told so; it must answer within a second
# (a sender waiting on a box the notice opened would wait until its OK).
jump() {
    set_time "$1"
    driver find clock 1 notice "$2" "$3" 1000 || fail "the notice at $1 was not answered at once"
}
box_text() { driver find "$TITLE" "$1" text 0xFFFF; } # MS: once shown

note "on time at 07:30; moved to 07:31, then back to 07:29: it rings no second time"
set_time 07:29:50
start_clock "file:$OFFSET" ZIHOU=0 ALARM=1 HOURS=7 MINUTES=30
wait_bytes 1 15 || fail "no alarm at 07:30"
jump 07:31:05 $TIMECHANGE 0
sleep 0.5 # what the device already holds still plays
quiet 1 || fail "the alarm rings on at 07:31"
jump 07:29:57 $TIMECHANGE 0
: >"$AUDIO"
wait_bytes 1 8 && fail "the alarm rang a second time at 07:30"

note "locked, asleep over 07:30, awake at 07:34: the resume notice rings it, late, with its box"
printf '起きて' | iconv -f UTF-8 -t CP932 >"$WORK/CLOCK.dat"
set_time 07:29:40
start_clock "file:$OFFSET" ZIHOU=0 ALARM=1 HOURS=7 MINUTES=30 MESSAGE=1
driver find clock 1 session 7 >/dev/null
jump 07:34:10 $POWER $RESUME
text=$(box_text 1500) || fail "no box within 1.5 s of the resume notice"
expect "$text" "$(printf '07:30 のアラーム（4分遅れ）\n\n起きて')" "the late alarm's box"
wait_bytes 1 3 || fail "the late alarm is silent"
driver find "$TITLE" 1 cmd $IDOK gone "$TITLE" 5000 session 8 || fail "OK did not close the box"

note "asleep over 07:30, awake at 09:00: the box alone says it was missed"
set_time 07:29:40
start_clock "file:$OFFSET" ZIHOU=0 ALARM=1 HOURS=7 MINUTES=30
jump 09:00:10 $POWER $RESUME
text=$(box_text 1500) || fail "no box within 1.5 s of the resume notice"
[[ "$text" == "12月7日 07:30 のアラームは"*"鳴らしませんでした。" ]] || fail "the missed box: '$text'"
quiet 2 || fail "a missed alarm sounds"
driver find "$TITLE" 1 cmd $IDOK gone "$TITLE" 5000 || fail "OK did not close the box"

note "set an hour and half a second on: a quarter second after the resume notice, the new time"
awk '{ printf "%+.3f\n", $1 + 3600.5 }' "$OFFSET" >"$OFFSET.new" && mv "$OFFSET.new" "$OFFSET"
sleep 2.1
WATCH_ENV=("${FAKED[@]}")
watch 0 2500 notice $POWER $RESUME 1000 sleep 250
stop_clock
echo PASS
