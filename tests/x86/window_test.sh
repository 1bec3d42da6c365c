#!/usr/bin/env bash
# The shipped 32-bit program as a user meets it: small and in the outline of its dial, large from
# the menu, moved by the mouse, started with Windows; locked, it paints nothing until unlocked;
# "終了" keeps size and place.
. "$CLOCK_SOURCE/tests/e2e/lib.sh"
# shows STEPS WHERE: after the driver's STEPS the window and its shaped X window are at WHERE.
shows() {
    local l t r b xid x=$WORK/xwininfo.txt
    read -r l t r b xid <<<"$(driver find clock 5000 $1 rect xid | tr '\n' ' ')"
    expect "$l $t $((r - l))x$((b - t))" "$2" "the window after '$1'"
    xwininfo -shape -id "$xid" >"$x" && grep -q "Width: $((r - l))\$" "$x" &&
        grep -q "Height: $((b - t))\$" "$x" && grep -q "shape extents" "$x" || fail "X: $(cat "$x")"
}
start_clock "" SIZE=0 LEFT=40 TOP=30 ZIHOU=0
#     DRIVER STEPS                                WHERE
shows ""                                          "40 30 101x128"
shows "cmd $(cmd IDM_SIZE_LARGE) sleep 3000"      "40 30 172x256"
xdotool mousemove 120 150 sleep 0.5 mousedown 1 sleep 0.5 mousemove 170 180 sleep 0.5 \
    mousemove 220 210 sleep 1 mouseup 1 sleep 1
shows ""                                          "140 90 172x256"
read -r locked later <<<"$(driver find clock 5000 session 7 sleep 200 screen sleep 2500 screen | tr "\n" " ")"
expect "$later" "$locked" "the locked clock's window 2.5 s later"
read -r locked unlocked <<<"$(driver find clock 5000 screen session 8 sleep 500 screen | tr "\n" " ")"
[ "$unlocked" != "$locked" ] || fail "no new picture at the unlock"
trap 'run_value delete /f' EXIT && menu IDM_LOGON_START # the Run key is shared with 64-bit ones
expect "$(run_value query)" "\"Z:${WORK//\//\\}\\bin\\clock.exe\"" "the Run value"
stop_clock
expect "$(driver reg-get LEFT TOP SIZE)" "LEFT=140 TOP=90 SIZE=2" "saved at the exit"
echo PASS
