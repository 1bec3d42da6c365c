#!/usr/bin/env bash
# The running program as a user meets it: one instance, dragging and locking, always-on-top,
# the about box, and what reaches the registry on each way out.
. "$(dirname "$0")/lib.sh"

# drag_by DX DY: presses the left button inside the clock and moves the mouse by DX,DY.
drag_by() {
    read -r l t r b <<<"$(driver rect)"
    local x=$((l + (r - l) / 2)) y=$((t + (b - t) / 2 + 10))
    xdotool mousemove $x $y sleep 0.3 mousedown 1 sleep 0.3 \
        mousemove $((x + $1 / 2)) $((y + $2 / 2)) sleep 0.2 \
        mousemove $((x + $1)) $((y + $2)) sleep 0.3 mouseup 1 sleep 0.5
}

kill_wine
reset_registry
start_clock
read -r l t r b <<<"$(driver rect)"
expect_eq "$l $t" "0 0" "fresh start position"

note "a second start brings the first to the front and exits 0"
"$WINE_RUN" "$BIN/clock.exe"
expect_eq "$?" "0" "second instance exit code"
driver wait-window 5000 >/dev/null || fail "first instance gone"
read -r visible topmost foreground <<<"$(driver state)"
expect_eq "$visible$foreground" "11" "first instance visible and in front"

note "unlocked, the window follows a drag"
drag_by 200 100
read -r l t r b <<<"$(driver rect)"
expect_eq "$l $t" "200 100" "position after drag"

note "locked, a drag does not move it"
driver command 40014
sleep 0.3
drag_by 150 50
read -r l t r b <<<"$(driver rect)"
expect_eq "$l $t" "200 100" "position after drag while locked"

note "always-on-top twice returns to the normal band; 40010 acts as 40013"
driver command 40013; sleep 0.3
read -r visible topmost foreground <<<"$(driver state)"
expect_eq "$topmost" "1" "topmost after first toggle"
driver command 40013; sleep 0.3
read -r visible topmost foreground <<<"$(driver state)"
expect_eq "$topmost" "0" "topmost after second toggle"
driver command 40010; sleep 0.3
read -r visible topmost foreground <<<"$(driver state)"
expect_eq "$topmost" "1" "topmost after 40010"
expect_eq "$(driver reg-get TOPMOST)" "missing" "nothing is saved before exit"

note "the pop-up menu opens with its right edge and top at the cursor"
read -r l t r b <<<"$(driver rect)"
xdotool mousemove $((l + 60)) $((t + 70)) sleep 0.3 click 3
read -r ml mt mr mb <<<"$(driver menu-rect)" || fail "no pop-up menu on a right click"
note "menu at $ml $mt $mr $mb"
expect_eq "$mr $mt" "$((l + 60)) $((t + 70))" "menu's top-right corner"
xdotool key Escape sleep 0.3

note "the about box closes with OK and with the system close, not with Escape"
driver command 40011
driver dialog "バージョン情報" 10000 >/dev/null || fail "about box did not open"
driver dialog-item "バージョン情報" 1 >/dev/null || fail "about box has no notice line"
driver dialog-command "バージョン情報" 2   # what Escape sends
sleep 0.5
driver dialog "バージョン情報" 100 >/dev/null || fail "Escape closed the about box"
driver dialog-command "バージョン情報" 2002
driver dialog-gone "バージョン情報" 5000 || fail "OK did not close the about box"
driver command 40011
driver dialog "バージョン情報" 10000 >/dev/null || fail "about box did not open again"
driver dialog-sysclose "バージョン情報"
driver dialog-gone "バージョン情報" 5000 || fail "the system close did not close the about box"

note "終了 saves position, size, topmost and lock"
driver command 40006; sleep 0.5
stop_clock
expect_eq "$CLOCK_RC" "0" "exit code"
for kv in LEFT=200 TOP=100 SIZE=1 TOPMOST=1 LOCK=1; do
    expect_eq "$(driver reg-get ${kv%%=*})" "${kv#*=}" "saved ${kv%%=*}"
done

note "the marks follow the stored record at start-up; a close request saves too"
start_clock
read -r l t r b <<<"$(driver rect)"
expect_eq "$l $t" "200 100" "restored position"
read -r visible topmost foreground <<<"$(driver state)"
expect_eq "$topmost" "1" "restored topmost"
driver command 40013   # the mark was set at start-up, so this clears it
driver command 40014   # likewise unlocks
sleep 0.3
drag_by -100 -50
read -r l t r b <<<"$(driver rect)"
expect_eq "$l $t" "100 50" "unlocked by toggling the start-up mark"
driver close
wait_clock
expect_eq "$CLOCK_RC" "0" "exit code after a close request"
for kv in LEFT=100 TOP=50 SIZE=1 TOPMOST=0 LOCK=0; do
    expect_eq "$(driver reg-get ${kv%%=*})" "${kv#*=}" "saved ${kv%%=*} after close"
done

note "a killed process leaves the registry as it was"
start_clock
driver command 40014
driver command 40007
sleep 0.5
kill_wine
CLOCK_PID=""
for kv in LEFT=100 TOP=50 SIZE=1 TOPMOST=0 LOCK=0; do
    expect_eq "$(driver reg-get ${kv%%=*})" "${kv#*=}" "${kv%%=*} after kill"
done

note "a stored size out of range shows and saves the small size"
reset_registry SIZE=9 LEFT=-20 TOP=-30
start_clock
read -r l t r b <<<"$(driver rect)"
expect_eq "$l $t" "-20 -30" "position off the screen is applied unchanged"
stop_clock
expect_eq "$(driver reg-get SIZE)" "0" "size saved after an unknown stored size"
echo "PASS"
