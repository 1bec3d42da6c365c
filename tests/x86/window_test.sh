#!/usr/bin/env bash
# The shipped 32-bit program at 150 %: drawn for that scale, at the earlier version's place
# scaled; a size change, a drag, a lock, starting with Windows; "終了" keeps size and place.
. "$CLOCK_SOURCE/tests/e2e/lib.sh"
DPI=$CLOCK_X86_DPI # the scale run-stories.sh gives the session
# shows STEPS WHERE SIZE: after STEPS the window, at DPI, and its X window are at WHERE, shaped,
# in the size of face set SIZE at DPI.
shows() {
    local l t r b xid dpi x=$WORK/xwininfo.txt want
    read -r l t r b xid dpi <<<"$(driver find clock 5000 $1 rect xid scale | tr '\n' ' ')"
    want="$2 $(driver find clock 5000 face "$3" "$DPI") $DPI"
    expect "$l $t $((r - l))x$((b - t)) $dpi" "$want" "the window after '$1' (place, size, DPI)"
    xwininfo -shape -id "$xid" >"$x" && grep -q "Width: $((r - l))\$" "$x" &&
        grep -q "Height: $((b - t))\$" "$x" && grep -q "shape extents" "$x" || fail "X: $(cat "$x")"
}
trap 'run_value delete /f' EXIT # the Run key is shared with 64-bit ones
start_clock "" SIZE=0 LEFT=40 TOP=30 ZIHOU=0
#     DRIVER STEPS                                WHERE   SIZE
shows ""                                          "60 45" 0
shows "cmd $(cmd IDM_SIZE_LARGE) sleep 3000"      "60 45" 2
xdotool mousemove 140 165 sleep 0.5 mousedown 1 sleep 0.5 mousemove 190 195 sleep 0.5 \
    mousemove 240 225 sleep 1 mouseup 1 sleep 1
shows ""                                          "160 105" 2
read -r locked later <<<"$(driver find clock 5000 session 7 sleep 200 screen sleep 2500 screen | tr "\n" " ")"
expect "$later" "$locked" "the locked clock's window 2.5 s later"
read -r locked unlocked <<<"$(driver find clock 5000 screen session 8 sleep 500 screen | tr "\n" " ")"
[ "$unlocked" != "$locked" ] || fail "no new picture at the unlock"
menu IDM_LOGON_START
expect "$(run_value query)" "\"Z:${WORK//\//\\}\\bin\\clock.exe\"" "the Run value"
stop_clock
expect "$(driver reg-get LEFT TOP SIZE DPIAWARE)" "LEFT=160 TOP=105 SIZE=2 DPIAWARE=1" \
    "saved at the exit"
echo PASS
