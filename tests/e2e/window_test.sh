#!/usr/bin/env bash
# The window and its menu as a user meets them: dragging and locking, always-on-top, the pop-up
# menu, the about box, one instance only, and what reaches the registry on each way out.
. "$(dirname "$0")/lib.sh"
ABOUT="バージョン情報"
ESCAPE=2 # what a dialog receives for the Escape key (IDCANCEL)

# drag DX DY: presses the left button inside the clock and moves the mouse by DX,DY.
drag() {
    local l t r b
    read -r l t r b <<<"$(driver find clock 5000 rect)"
    local x=$(((l + r) / 2)) y=$(((t + b) / 2 + 10))
    xdotool mousemove $x $y sleep 0.15 mousedown 1 sleep 0.15 mousemove $((x + $1 / 2)) \
        $((y + $2 / 2)) sleep 0.15 mousemove $((x + $1)) $((y + $2)) sleep 0.15 mouseup 1 sleep 0.2
}
# where: "LEFT TOP TOPMOST FOREGROUND" of the clock window.
where() {
    local out
    out=$(driver find clock 5000 rect state) || fail "no clock window"
    echo "$out" | tr '\n' ' ' | awk '{print $1, $2, $5, $6}'
}
# step ACTIONS LEFT TOP TOPMOST: after the actions the window is there, in that band.
step() {
    eval "$1"
    expect "$(where | cut -d' ' -f1-3)" "$2 $3 $4" "after '$1'"
}

note "one session of a fresh store"
start_clock ""
#    ACTIONS                                LEFT TOP TOPMOST
step ""                                     0    0   0
step "drag 200 100"                         200  100 0
step "menu IDM_LOCK; drag 150 50"           200  100 0
step "menu IDM_TOPMOST"                     200  100 1
step "menu IDM_TOPMOST"                     200  100 0
step "menu IDM_TOPMOST_ALIAS"               200  100 1
expect "$(driver reg-get LEFT TOPMOST LOCK)" "LEFT=- TOPMOST=- LOCK=-" "saved before the exit"

note "the about box: Escape leaves it open, OK and the system close close it"
for row in "cmd $ESCAPE:open" "cmd $(cmd IDC_ABOUT_OK):gone" "close:gone"; do
    driver find "$ABOUT" 1 >/dev/null || menu IDM_ABOUT
    driver find "$ABOUT" 10000 ${row%:*} >/dev/null || fail "no about box"
    sleep 0.5
    driver find "$ABOUT" 1 >/dev/null && shown=open || shown=gone
    expect "$shown" "${row#*:}" "about box after '${row%:*}'"
done

note "a second start brings the first clock to the front and ends with 0"
menu IDM_ABOUT
driver find "$ABOUT" 10000 >/dev/null || fail "no about box"
expect "$(where)" "200 100 1 0" "the clock behind its about box"
"$WINE_RUN" "$WORK/bin/clock.exe" </dev/null
expect "$?" 0 "second start's exit code"
expect "$(where)" "200 100 1 1" "the first clock after a second start"
driver find "$ABOUT" 1 cmd "$(cmd IDC_ABOUT_OK)" gone "$ABOUT" 5000 || fail "about box stays"
menu IDM_SIZE_MEDIUM

# way_out STORED ACTIONS HOW SAVED: a clock started on the store STORED, after the actions
# ended by HOW ("終了", the system close, or a kill after an end-of-session message), leaves SAVED
# (and no alarm record).
way_out() {
    [ "$1" = - ] || start_clock "" $1
    eval "$2"
    case $3 in
    exit) stop_clock ;;
    close) driver find clock 5000 close && wait_clock && expect "$CLOCK_RC" 0 "exit code" ;;
    *) driver find clock 5000 $3 kill && wait_clock ;;
    esac
    expect "$(driver reg-get LEFT TOP SIZE TOPMOST LOCK ALARM)" "$4 ALARM=-" "saved after $3"
}
note "ways out of the clock"
# Marks follow the stored record: the first toggle of a stored mark clears it.
#       STORED  ACTIONS  WAY OUT  SAVED
way_out -                                 ""                                          \
        exit          "LEFT=200 TOP=100 SIZE=1 TOPMOST=1 LOCK=1"
way_out "LEFT=200 TOP=100 TOPMOST=1 LOCK=1" \
        "step 'drag 30 30' 200 100 1; menu IDM_TOPMOST IDM_LOCK; drag -100 -50" \
        close         "LEFT=100 TOP=50 SIZE=0 TOPMOST=0 LOCK=0"
way_out "LEFT=100 TOP=50 SIZE=1"          "drag 10 10; menu IDM_LOCK IDM_SIZE_LARGE"   \
        "endsession 0" "LEFT=100 TOP=50 SIZE=1 TOPMOST=- LOCK=-"
way_out "LEFT=100 TOP=50 SIZE=1"          "drag 10 10; menu IDM_LOCK IDM_SIZE_LARGE"   \
        "endsession 1" "LEFT=110 TOP=60 SIZE=2 TOPMOST=0 LOCK=1"
echo PASS
