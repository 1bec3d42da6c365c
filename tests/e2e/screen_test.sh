#!/usr/bin/env bash
# What the window shows in every size, at 100 and 200 %: an X window shaped like the dial, the
# desktop at its corners, inside exactly the frame composed for the time (see watch) after a
# start, a size change and a move partly off the screen and back. An unknown stored size shows
# the small face; a window with only transparent pixels on the screen comes back into view.
. "$(dirname "$0")/lib.sh"
# The clock's time runs at its own pace from a fixed morning; a whole number of seconds away
# from the real time, so that the driver, on the same setting, reads the very time it shows.
FAKE=$(printf '%+d' $(($(date -d '2026-12-07 10:09:50' +%s) - $(date +%s))))
WATCH_ENV=(env LD_PRELOAD="$FAKETIME_LIB" FAKETIME="$FAKE")

trap 'scale 96; [ -n "${CLOCK_SESSION_KEPT:-}" ] || "$WINE_RUN" --kill >/dev/null 2>&1' EXIT

# check_face SIZE LEFT TOP: the window has that size's outline, at the scale set (its size is in
# the frame digests), with its top-left corner there.
check_face() {
    local w h l t r b xid info desktop corner
    IFS=x read -r w h <<<"$(driver face "$1" "$DPI")"
    read -r l t r b xid <<<"$(driver find clock 5000 rect xid | tr '\n' ' ')"
    expect "$l $t $((r - l))x$((b - t))" "$2 $3 ${w}x$h" "window rectangle"
    [ -n "$xid" ] || fail "size $1: no X window id" # xwininfo would wait for a click
    info=$(xwininfo -shape -id "$xid") || fail "no X window"
    echo "$info" | grep -q "Width: $w\$" && echo "$info" | grep -q "Height: $h\$" ||
        fail "X window size: $info"
    echo "$info" | grep -q "shape extents" || fail "the X window has no shape: $info"
    [ "$l" -ge 0 ] && [ "$t" -ge 0 ] || return 0
    import -window root "$WORK/shot.png" || fail "no screenshot"
    read -r desktop corner <<<"$(convert "$WORK/shot.png" -format \
        "%[pixel:p{1020,760}] %[pixel:p{$((l + 1)),$((t + 1))}]" info:)"
    expect "$corner" "$desktop" "the desktop through the corner of size $1"
}

# shape HOW SIZE LEFT TOP WATCH: after HOW (a fresh store, a menu choice, or "off X Y": moved
# partly off the screen to X,Y and back) the window shows SIZE at LEFT,TOP, and WATCH ms of its
# pictures are right ("-": none looked at). Made early in a second, a choice or move leaves what
# the screen lost to the window's own paint, not the timer's.
shape() {
    local steps=(sleep 300)
    note "$1"
    if [ "${1%% *}" = menu ]; then
        steps=(turn 50 cmd "$(cmd "${1#menu }")" sleep 350)
    elif [ "${1%% *}" = off ]; then
        steps=(turn 50 move ${1#off } sleep 100 move "$3" "$4" sleep 200)
    else
        [ -z "$CLOCK_PID" ] || stop_clock
        start_clock "$FAKE" $1
    fi
    [ "$5" = - ] || watch "$2" "$5" "${steps[@]}"
    check_face "$2" "$3" "$4"
}
#     HOW                         SIZE LEFT TOP WATCH
shape "SIZE=0 LEFT=40 TOP=30"     0    40   30  1100
shape "SIZE=1 LEFT=40 TOP=30"     1    40   30  1100
shape "SIZE=2 LEFT=40 TOP=30"     2    40   30  2100
shape "SIZE=5 LEFT=40 TOP=30"     0    40   30  300
shape "menu IDM_SIZE_LARGE"       2    40   30  1100
shape "menu IDM_SIZE_SMALL"       0    40   30  300
shape "SIZE=0 LEFT=1022 TOP=-120" 0    923  0   -
shape "off 990 700"               0    923  640 300
shape "SIZE=1 LEFT=-100 TOP=700"  1    -100 700 -
stop_clock
expect "$(driver reg-get LEFT TOP SIZE)" "LEFT=-100 TOP=700 SIZE=1" "saved at the end"
# At 200 % each size is drawn for the scale. The pointer goes off the windows: a tip would cover.
scale 192
xdotool mousemove 0 0
shape "SIZE=0 LEFT=40 TOP=30 DPIAWARE=1" 0 40  30  1100
shape "SIZE=1 LEFT=40 TOP=30 DPIAWARE=1" 1 40  30  1100
shape "SIZE=2 LEFT=40 TOP=30 DPIAWARE=1" 2 40  30  2100
stop_clock
echo PASS
