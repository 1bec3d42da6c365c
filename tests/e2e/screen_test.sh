#!/usr/bin/env bash
# What the window shows in every size: an X window of the dial's size with the dial's outline,
# the desktop at its corners, and inside the outline exactly the frame the painter composes for
# the time then: after start-up, after a size change from the menu, and after part of it was
# off the screen and came back. The hands move within 150 ms of each turn of the second; the
# large size's pendulum goes through its swing on the screen eight times a second. A stored size
# the clock does not know shows the small face. A window whose only piece on the screen is
# transparent comes back into view; one with a real piece of dial on the screen stays.
. "$(dirname "$0")/lib.sh"
#      SIZE  WIDTH HEIGHT
FACE=([0]="101   128"
      [1]="172   172"
      [2]="172   256")
# The clock's time runs at its own pace from a fixed morning; a whole number of seconds away
# from the real time, so that the driver, on the same setting, reads the very time it shows.
FAKE=$(printf '%+d' $(($(date -d '2026-12-07 10:09:50' +%s) - $(date +%s))))
SWING=23432101 # the pendulum's frames, one swing

# scale DPI: the system's dots per inch for the programs started from now on (the prefix keeps
# it: the end of the script, whatever it was, sets 96 back).
DPI=96
scale() {
    "$WINE_RUN" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        </dev/null >/dev/null 2>&1 || fail "cannot set the scale to $1"
    DPI=$1
    # Wine's session answers other processes with the scale it started at: a new one.
    [ -n "${CLOCK_SESSION_KEPT:-}" ] || { "$WINE_RUN" --kill >/dev/null 2>&1 && SESSION=""; }
}
trap 'scale 96; [ -n "${CLOCK_SESSION_KEPT:-}" ] || "$WINE_RUN" --kill >/dev/null 2>&1' EXIT

# check_face SIZE LEFT TOP: the window has that size's outline, at the scale set, with its
# top-left corner there.
check_face() {
    local w h l t r b xid info desktop corner
    read -r w h <<<"${FACE[$1]}"
    w=$(((w * DPI + 48) / 96)) h=$(((h * DPI + 48) / 96))
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

# watch SIZE MS [STEP...]: after the driver's steps on the clock, MS ms of what the screen shows
# are each the frame composed for the second then (or the one before), gone at the latest 150 ms
# after their second ended, a new one at every turn, and in the large size eight a second with
# the pendulum's frames in the order of its swing. Where the driver looked away (its turn on a
# busy processor came late) the swing may break off; it must have looked on for half the time.
watch() {
    local size=$1 ms=$2 pictures unknown late seen swing run
    shift 2
    read -r pictures unknown late seen swing <<<"$(env LD_PRELOAD="$FAKETIME_LIB" \
        FAKETIME="$FAKE" "$WINE_RUN" "$BIN/clock_driver.exe" find clock 5000 "$@" \
        watch "$size" "$ms" </dev/null | tr -d '\r')"
    note "$pictures pictures in $ms ms ($seen seen), $unknown unknown, $late ms late: $swing"
    expect "$unknown" 0 "pictures of size $size that are no composed frame"
    within 0 150 "$late" "ms the hands of a second stayed after it"
    within $((ms / 1000 + 1)) 99 "$pictures" "pictures in $ms ms"
    within $((ms / 2)) "$ms" "$seen" "ms the driver looked on"
    [ "$size" = 2 ] || return 0
    within $((seen * 8 / 1000)) 99 "$pictures" "pendulum pictures in $seen ms"
    for run in ${swing//./ }; do
        [[ "$SWING$SWING$SWING$SWING" == *"$run"* ]] || fail "the pendulum swings $swing"
    done
}

# shape HOW SIZE LEFT TOP WATCH: after HOW (a fresh store to start with, a menu choice, or "off X
# Y": moved partly off the screen to X,Y and back, as by a drag) the window shows SIZE at
# LEFT,TOP, and WATCH ms of its pictures are right ("-": none looked at). A choice or move made
# early in a second leaves the rest of it to the paint that follows: what the screen had lost
# comes back through the window's own paint, not the timer's. A restart first ends the running
# clock through its menu.
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
shape "menu IDM_SIZE_MEDIUM"      1    40   30  300
shape "menu IDM_SIZE_SMALL"       0    40   30  300
shape "SIZE=0 LEFT=1022 TOP=-120" 0    923  0   -
shape "off 990 700"               0    923  640 300
shape "SIZE=1 LEFT=-100 TOP=700"  1    -100 700 -
stop_clock
expect "$(driver reg-get LEFT TOP SIZE)" "LEFT=-100 TOP=700 SIZE=1" "saved at the end"
# At 200 % every size is drawn for the scale, and what the screen shows is still exactly the
# frame the painter composes at it. The pointer goes off the larger windows, whose date tip
# would cover them.
scale 192
xdotool mousemove 0 0
shape "SIZE=0 LEFT=40 TOP=30 DPIAWARE=1" 0 40  30  1100
shape "SIZE=1 LEFT=40 TOP=30 DPIAWARE=1" 1 40  30  1100
shape "SIZE=2 LEFT=40 TOP=30 DPIAWARE=1" 2 40  30  2100
stop_clock
echo PASS
