#!/usr/bin/env bash
# The clock beside other programs, at 100 and 200 %: the date tooltip, an always-visible clock
# giving way to a full-screen window only, the dialogs in the middle of the work area.
. "$(dirname "$0")/lib.sh"
# Midnight comes 7 s after the start, as the rows before it end.
MIDNIGHT_MS=7000
# A task bar at the top: the work area X tells Wine (SPI_SETWORKAREA changes only the caller's).
xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "0, 100, 1024, 668"
trap 'xprop -root -remove _NET_WORKAREA; scale 96; "$WINE_RUN" --kill >/dev/null 2>&1' EXIT
start_clock "@2026-12-07 23:59:53" LEFT=300 TOP=200 TOPMOST=1 ZIHOU=0
read -r l t r b <<<"$(driver find clock 5000 rect)"
X=$(((l + r) / 2)) Y=$(((t + b) / 2))

# tip ACTIONS TEXT AFTER: the pointer comes onto the clock (a pixel aside, or Wine, which has no
# window off it, sees no move), then after the xdotool ACTIONS the tooltip shows TEXT ('-': none
# within 1.2 s); then the actions AFTER.
tip() {
    eval "xdotool mousemove 0 0 sleep 0.2 mousemove $((X + 1)) $Y $1"
    expect "$(driver find clock 5000 tip 1200)" "$2" "tooltip after '$1'"
    [ -z "$3" ] || eval "xdotool $3"
}
note "the date on hover, not during a drag or with the menu open"
#   ACTIONS                                            TEXT                  AFTER
tip 'mousemove $X $Y'                                  "2026年12月7日 (月)"  ""
tip 'mousemove $X $Y mousedown 1 mousemove $((X + 20)) $((Y + 20))' \
                                                       -                     'mousemove $X $Y mouseup 1'
tip 'mousemove $X $Y click 3'                          -                     "key Escape"
xdotool mousemove 0 0

note "an always-visible clock under a window covering the screen, and only such a window"
# Each row: how the driver's window covers the screen (or what comes to the front), then the
# wait (ms) for the clock's topmost style to become what it should; the style and whether the
# clock is over the window.
ABOUT="バージョン情報"
#     ACTION      WAIT FOR          TOPMOST OVER
rows=("maximize"  "topmost 0 1200"  "1 1" # a titled window maximized, its frame past the edges
      "frame"     "topmost 0 1200"  "1 1" # not maximized, its frame on the edges: not its client
      "cover 0"   "topmost 0 2000"  "0 0" # borderless full screen: the clock goes under it
      "cover 100" "topmost 1 2000"  "1 1" # leaves full screen
      "cover 0"   "topmost 0 2000"  "0 0"
      "cmd $(cmd IDM_ABOUT)" \
                  "topmost 1 2000"  "1 1" # loses the front to the clock's own about box
      "uncover"   "topmost 1 2000"  "1 -") # closes
steps=() want=()
for ((i = 0; i < ${#rows[@]}; i += 3)); do
    steps+=(${rows[i]} ${rows[i + 1]}) want+=("row $((i / 3 + 1)), ${rows[i]}: ${rows[i + 2]}")
done
mapfile -t seen < <(driver find clock 5000 "${steps[@]}")
for ((i = 0; i < ${#want[@]}; i++)); do
    expect "${want[i]%%:*}: ${seen[i]:-}" "${want[i]}" "topmost, over the window"
done
driver find "$ABOUT" 5000 cmd "$(cmd IDC_ABOUT_OK)" gone "$ABOUT" 5000 || fail "about box stays"

note "the alarm dialog opens in the middle of a work area a task bar at the top leaves"
# centred: the alarm dialog's top-left corner is in the middle of the work area.
centred() {
    read -r l t r b <<<"$(driver find clock 5000 cmd "$(cmd IDM_ALARM_SETTINGS)" \
        find アラーム設定 5000 rect cmd "$(cmd IDC_ALARM_CANCEL)")"
    expect "$l $t" "$(((1024 - r + l) / 2)) $((100 + (668 - b + t) / 2))" "the dialog's corner"
}
centred

note "the new date after midnight"
while [ $(($(now_ms) - T0)) -lt $((MIDNIGHT_MS + 2000)) ]; do sleep 0.1; done
tip 'mousemove $X $Y'                                  "2026年12月8日 (火)"  "mousemove 0 0"

note "the user's choice is what is saved, even when the clock ends under a full-screen window"
seen=$(driver find clock 5000 cover 0 topmost 0 2000 cmd "$(cmd IDM_EXIT)" gone clock 5000)
expect "$seen" "0 0" "topmost, over the window at the exit"
wait_clock
expect "$CLOCK_RC" 0 "exit code"
expect "$(driver reg-get TOPMOST)" "TOPMOST=1" "saved"

note "at 200 %, in the screen's pixels: the date on hover, full screen, the dialog's place"
scale 192
start_clock "@2026-12-07 12:00:00" LEFT=300 TOP=200 TOPMOST=1 ZIHOU=0 DPIAWARE=1
read -r l t r b <<<"$(driver find clock 5000 rect)"
X=$(((l + r) / 2)) Y=$(((t + b) / 2))
expect "$((r - l))x$((b - t))" "$(driver face 0 192)" "the small clock's size at 200 %"
tip 'mousemove $X $Y'                                  "2026年12月7日 (月)"  "mousemove 0 0"
seen=$(driver find clock 5000 cover 0 topmost 0 2000 cover 100 topmost 1 2000 uncover | xargs)
expect "$seen" "0 0 1 1" "topmost, over the window: in full screen, then short of it"
centred
stop_clock
echo PASS
