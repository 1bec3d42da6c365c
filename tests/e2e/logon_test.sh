#!/usr/bin/env bash
# Starting with Windows from the menu: the item writes this clock.exe's path in quotes under the
# user's Run key and shows its mark, after a restart too; a value naming another path shows none
# when the menu opens, and the item points it here; chosen again, it deletes the value.
. "$(dirname "$0")/lib.sh"
HERE="\"Z:$(tr / '\\' <<<"$BIN")\\clock.exe\"" OTHER='"C:\Program Files\Clock\clock.exe"'
# row ACTIONS VALUE MARKS: after the actions the Run value is VALUE ('-': none), and the menu
# opened on the clock shows MARKS check marks (the stored record marks nothing else).
row() {
    eval "$1"
    xdotool mousemove 350 260 sleep 0.2 click 3
    expect "$(driver run-get) $(driver find menu 5000 marks)" "$2 $3" "after '$1'"
    xdotool key Escape sleep 0.3
}
driver run-set -
start_clock "" LEFT=300 TOP=200
#   ACTIONS                                  VALUE     MARKS
row ""                                       -         0
row "menu IDM_LOGON_START"                   "$HERE"   1
row 'start_clock "" LEFT=300 TOP=200'        "$HERE"   1
row 'driver run-set "$OTHER"'                "$OTHER"  0
row "menu IDM_LOGON_START"                   "$HERE"   1
row "menu IDM_LOGON_START"                   -         0
stop_clock
echo PASS
