#!/usr/bin/env bash
# The clock's window has the outline of its dial in every size: an X window of the dial's size
# with a shape, through which the desktop shows at the key-coloured corners; the size commands
# resize and reshape it.
. "$(dirname "$0")/lib.sh"

# pixel X Y: the screen's colour there, as "r,g,b".
pixel() {
    import -window root "$WORK/shot.png" 2>/dev/null
    convert "$WORK/shot.png" -format '%[fx:int(255*p{'"$1,$2"'}.r)],%[fx:int(255*p{'"$1,$2"'}.g)],%[fx:int(255*p{'"$1,$2"'}.b)]' info:
}

# check_face SIZE W H CX CY: window W x H, shaped within it, desktop at its top-left corner,
# the dial at the hands' pivot (CX, CY).
check_face() {
    local size=$1 w=$2 h=$3 cx=$4 cy=$5
    local l t r b
    read -r l t r b <<<"$(driver rect)"
    expect_eq "$((r - l))x$((b - t))" "${w}x${h}" "size $size window"
    local xid
    xid="$(driver xid)"
    [ "$xid" != "0x0" ] || fail "size $size: no X window"
    local info
    info="$(xwininfo -shape -id "$xid")"
    echo "$info" | grep -q "Width: $w\$" || fail "size $size: X window width: $info"
    echo "$info" | grep -q "Height: $h\$" || fail "size $size: X window height: $info"
    local extents
    extents="$(echo "$info" | sed -n 's/.*Window shape extents: *//p')"
    [ -n "$extents" ] || fail "size $size: the X window has no shape"
    [ "$extents" != "${w}x${h}+0+0" ] || fail "size $size: the shape is the whole rectangle"
    note "size $size: ${w}x${h}, shape $extents"
    local desktop corner centre
    desktop="$(pixel 1020 760)"
    corner="$(pixel $((l + 1)) $((t + 1)))"
    centre="$(pixel $((l + cx - 6)) $((t + cy - 6)))"
    [ -n "$desktop" ] || fail "no screenshot"
    expect_eq "$corner" "$desktop" "size $size: desktop through the corner"
    [ "$corner" != "0,254,255" ] || fail "size $size: key colour on screen"
    [ "$centre" != "$desktop" ] || fail "size $size: no dial at the centre"
}

wait_shown() {
    local i
    for i in $(seq 1 50); do
        read -r visible _ <<<"$(driver state)"
        [ "$visible" = 1 ] && break
        sleep 0.2
    done
    sleep 1
}

kill_wine
for size in 0 1 2; do
    reset_registry SIZE=$size LEFT=40 TOP=30
    start_clock
    wait_shown
    case $size in
    0) check_face 0 101 128 50 80 ;;
    1) check_face 1 172 172 86 85 ;;
    2) check_face 2 172 256 85 89 ;;
    esac
    stop_clock
    expect_eq "$(driver reg-get SIZE)" "$size" "SIZE saved"
done

note "an unknown stored size shows the small face"
reset_registry SIZE=9 LEFT=40 TOP=30
start_clock
wait_shown
check_face 0 101 128 50 80

note "the size commands resize and reshape the window"
driver command 40007
sleep 3; wait_shown
check_face 2 172 256 85 89
driver command 40006
sleep 3; wait_shown
check_face 1 172 172 86 85
driver command 40005
sleep 3; wait_shown
check_face 0 101 128 50 80
driver command 40007
sleep 3; wait_shown
check_face 2 172 256 85 89
stop_clock
expect_eq "$(driver reg-get SIZE)" "2" "SIZE saved after switching"
echo PASS
