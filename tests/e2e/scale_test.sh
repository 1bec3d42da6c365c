#!/usr/bin/env bash
# The clock at another scale: a place saved by the earlier, DPI-unaware version comes back where
# the user left it; a clock whose monitor changes scale takes it, at the place Windows suggests.
. "$(dirname "$0")/lib.sh"
trap 'scale 96; [ -n "${CLOCK_SESSION_KEPT:-}" ] || "$WINE_RUN" --kill >/dev/null 2>&1' EXIT
# comes_back DPI STORED WHERE SAVED: at DPI a clock started on STORED shows at WHERE, saves SAVED.
comes_back() {
    scale "$1"
    start_clock "" $2
    expect "$(driver find clock 5000 rect | cut -d' ' -f1-2)" "$3" "the clock at $1 on '$2'"
    stop_clock
    expect "$(driver reg-get LEFT TOP DPIAWARE)" "$4" "saved at $1 from '$2'"
}
note "places saved by the earlier version, and by this one"
#          DPI STORED                         WHERE     SAVED
comes_back 96  "LEFT=200 TOP=100"             "200 100" "LEFT=200 TOP=100 DPIAWARE=1"
comes_back 144 "LEFT=200 TOP=100"             "300 150" "LEFT=300 TOP=150 DPIAWARE=1"
comes_back 144 "LEFT=300 TOP=150 DPIAWARE=1"  "300 150" "LEFT=300 TOP=150 DPIAWARE=1"
comes_back 144 "LEFT=-20 TOP=-30 SIZE=1"      "-30 -45" "LEFT=-30 TOP=-45 DPIAWARE=1"

note "the monitor's scale changes under the clock, and back"
scale 96
start_clock "" SIZE=2 LEFT=100 TOP=80
for row in "192 150 120" "96 60 40"; do
    read -r dpi x y <<<"$row"
    read -r l t r b <<<"$(driver find clock 5000 dpi "$dpi" "$x" "$y" rect)"
    expect "$l $t $((r - l))x$((b - t))" "$x $y $(driver find clock 5000 face 2 "$dpi")" \
        "the clock after a change to $dpi"
done
watch 2 3000
stop_clock
echo PASS
