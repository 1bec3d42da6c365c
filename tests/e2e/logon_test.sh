#!/usr/bin/env bash
# Starting with Windows from the menu: the Run value it writes (this clock.exe, quoted) and deletes,
# its mark, after a restart too, and none for a value naming another path or one Task Manager's
# Startup tab disabled, until the item is chosen again.
. "$(dirname "$0")/lib.sh"
HERE="\"Z:${WORK//\//\\}\\bin\\clock.exe\"" OTHER='C:\Clock\clock.exe'
# row ACTIONS VALUE MARK: after the actions the Run value is VALUE (empty: none), and the menu shows
# a check mark (1) or none (0): black left of its items, where the store marks nothing else.
row() {
    eval "$1"
    xdotool mousemove 350 260 sleep 0.2 click 3
    local l t r b && read -r l t r b <<<"$(driver find menu 5000 rect)"
    import -window root -crop "10x$((b - t - 6))+$((l + 3))+$((t + 3))" "$WORK/margin.png"
    expect "$(run_value query) $(convert "$WORK/margin.png" -format '%[fx:minima==0]' info:)" \
        "$2 $3" "after '$1'"
    xdotool key Escape sleep 0.3
}
# disable BYTES: Task Manager's Startup tab sets the state of the value PolkaminaClock.
disable() {
    "$WINE_RUN" reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run' \
        /v PolkaminaClock /t REG_BINARY /d "$1" /f </dev/null >/dev/null 2>&1
}
trap 'run_value delete /f; "$WINE_RUN" --kill >/dev/null 2>&1' EXIT
start_clock "" LEFT=300 TOP=200
#   ACTIONS                                  VALUE     MARK
row "menu IDM_LOGON_START"                   "$HERE"   1
row 'start_clock "" LEFT=300 TOP=200'        "$HERE"   1
row 'disable 030000000000000000000000'       "$HERE"   0
row "menu IDM_LOGON_START"                   "$HERE"   1
row 'run_value add /d "$OTHER" /f'           "$OTHER"  0
row "menu IDM_LOGON_START"                   "$HERE"   1
row "menu IDM_LOGON_START"                   ""        0
stop_clock
echo PASS
