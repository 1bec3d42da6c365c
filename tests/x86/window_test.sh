#!/usr/bin/env bash
# The shipped 32-bit program as a user meets it: the small clock in the outline of its dial, the
# large one chosen from the menu, moved by the mouse, the alarm settings opened and closed, and
# on "終了" its size and position kept. Every driver start costs seconds here: steps are grouped.
. "$CLOCK_SOURCE/tests/e2e/lib.sh"
DIALOG="アラーム設定"

# shows STEPS WHERE: after the driver steps STEPS on the clock, its window is at WHERE
# ("LEFT TOP WIDTHxHEIGHT") and its X window has that size and a shape.
shows() {
    local l t r b xid info
    read -r l t r b xid <<<"$(driver find clock 5000 $1 rect xid | tr '\n' ' ')"
    expect "$l $t $((r - l))x$((b - t))" "$2" "the window after '$1'"
    info=$(xwininfo -shape -id "$xid") || fail "no X window after '$1'"
    echo "$info" | grep -q "Width: $((r - l))\$" && echo "$info" | grep -q "Height: $((b - t))\$" &&
        echo "$info" | grep -q "shape extents" || fail "X window after '$1': $info"
}

start_clock "" SIZE=0 LEFT=40 TOP=30 ZIHOU=0
#     DRIVER STEPS                                   WHERE
shows ""                                             "40 30 101x128"
shows "cmd $(cmd IDM_SIZE_LARGE) sleep 3000"         "40 30 172x256"
xdotool mousemove 120 150 sleep 0.5 mousedown 1 sleep 0.5 mousemove 170 180 sleep 0.5 \
    mousemove 220 210 sleep 1 mouseup 1 sleep 1
shows ""                                             "140 90 172x256"

note "the alarm settings open and close"
driver find clock 5000 cmd "$(cmd IDM_ALARM_SETTINGS)" find "$DIALOG" 30000 \
    cmd "$(cmd IDC_ALARM_CANCEL)" gone "$DIALOG" 10000 || fail "the alarm dialog did not open and close"
stop_clock
expect "$(driver reg-get LEFT TOP SIZE)" "LEFT=140 TOP=90 SIZE=2" "saved at the exit"
echo PASS
