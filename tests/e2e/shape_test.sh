#!/usr/bin/env bash
# The window has the outline of its dial in every size: an X window of the dial's size with a
# shape, the desktop showing at its corners and the dial at its centre. A stored size the clock
# does not know shows the small face; the size commands resize and reshape the window. A window
# whose only piece on the screen is transparent comes back into view; one with a real piece of
# dial on the screen stays.
. "$(dirname "$0")/lib.sh"
#      SIZE  WIDTH HEIGHT PIVOT-X PIVOT-Y
FACE=([0]="101   128    50      80"
      [1]="172   172    86      85"
      [2]="172   256    85      89")

# check_face SIZE LEFT TOP: the window shows that size's face with its top-left corner there.
check_face() {
    local w h cx cy l t r b xid info desktop corner center
    read -r w h cx cy <<<"${FACE[$1]}"
    read -r l t r b <<<"$(driver find clock 5000 rect)"
    expect "$l $t $((r - l))x$((b - t))" "$2 $3 ${w}x$h" "window rectangle"
    xid=$(driver find clock 5000 xid)
    [ -n "$xid" ] || fail "size $1: no X window id" # xwininfo would wait for a click
    info=$(xwininfo -shape -id "$xid") || fail "no X window"
    echo "$info" | grep -q "Width: $w\$" && echo "$info" | grep -q "Height: $h\$" ||
        fail "X window size: $info"
    echo "$info" | grep -q "shape extents" || fail "the X window has no shape: $info"
    [ "$l" -ge 0 ] && [ "$t" -ge 0 ] || return 0
    import -window root "$WORK/shot.png" || fail "no screenshot"
    read -r desktop corner center <<<"$(convert "$WORK/shot.png" -format \
        "%[pixel:p{1020,760}] %[pixel:p{$((l + 1)),$((t + 1))}] %[pixel:p{$((l + cx - 6)),$((t + cy - 6))}]" info:)"
    expect "$corner" "$desktop" "the desktop through the corner of size $1"
    [ "$center" != "$desktop" ] || fail "size $1: no dial at the centre ($center)"
}

# shape HOW SIZE LEFT TOP: after HOW (a fresh store to start with, or menu choices on the
# running clock) the window shows SIZE at LEFT,TOP. A restart first ends the running clock,
# which must have saved the size it showed.
SHOWN=""
shape() {
    note "$1"
    if [ "${1%% *}" = menu ]; then
        eval "$1"
    else
        [ -z "$SHOWN" ] || stop_clock
        [ -z "$SHOWN" ] || expect "$(driver reg-get SIZE)" "SIZE=$SHOWN" "size saved"
        start_clock "" $1
    fi
    sleep 0.5
    check_face "$2" "$3" "$4"
    SHOWN=$2
}
#     HOW                         SIZE LEFT TOP
shape "SIZE=0 LEFT=40 TOP=30"     0    40   30
shape "SIZE=1 LEFT=40 TOP=30"     1    40   30
shape "SIZE=2 LEFT=40 TOP=30"     2    40   30
shape "SIZE=5 LEFT=40 TOP=30"     0    40   30
shape "menu IDM_SIZE_LARGE"       2    40   30
shape "menu IDM_SIZE_MEDIUM"      1    40   30
shape "menu IDM_SIZE_SMALL"       0    40   30
shape "SIZE=0 LEFT=1022 TOP=-120" 0    923  0
shape "SIZE=1 LEFT=-100 TOP=700"  1    -100 700
stop_clock
expect "$(driver reg-get LEFT TOP SIZE)" "LEFT=-100 TOP=700 SIZE=1" "saved at the end"
echo PASS
