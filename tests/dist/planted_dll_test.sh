#!/usr/bin/env bash
# A winmm.dll and a comctl32.dll left beside the program never run: with the load order Windows
# uses for DLLs outside its KnownDLLs list (native first), the clock still shows its window,
# chimes and opens the alarm dialog, and neither stand-in leaves its marker.
. "$CLOCK_SOURCE/tests/e2e/lib.sh"
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
no_markers() { if m=$(cd "$APP" && ls ./*.loaded 2>/dev/null); then fail "loaded: $m"; fi; }
APP="$WORK/app"
mkdir -p "$APP"
cp -r "$BIN/clock.exe" "$BIN/wave" "$PLANTED/winmm.dll" "$PLANTED/comctl32.dll" "$APP/"

# Native (the file beside the program) before built-in, as Windows does outside its KnownDLLs.
export CLOCK_DLLOVERRIDES="winmm,comctl32=n,b"
note "the stand-ins leave their marker when loaded"
for dll in winmm comctl32; do
    "$WINE_RUN" "$BIN/dist_probe.exe" load "$(winpath "$APP/$dll.dll")" || fail "$dll.dll not loaded"
    [ -e "$APP/$dll.dll.loaded" ] || fail "the stand-in $dll.dll left no marker"
done
rm -f "$APP"/*.loaded

note "the clock beside them at 15:00, medium size: its window, one chime, the alarm dialog"
driver reg-set SIZE=1 ZIHOU=1 || fail "cannot set the store"
: >"$AUDIO"
(cd "$APP" && exec env LD_PRELOAD="$FAKETIME_LIB" FAKETIME="@2026-12-07 14:59:58" \
    "$WINE_RUN" "$APP/clock.exe" </dev/null) &
CLOCK_PID=$!
driver find clock 30000 >/dev/null || fail "the clock window did not appear"
no_markers
want=$(wav_data w04.wav | wc -c)
wait_bytes "$want" 30 || fail "the chime was not heard ($(bytes) of $want bytes)"
cmp -s -n "$want" "$AUDIO" <(wav_data w04.wav) || fail "the chime is not the medium clock's"
menu IDM_ALARM_SETTINGS
driver find "アラーム設定" 10000 cmd "$(cmd IDC_ALARM_CANCEL)" gone "アラーム設定" 5000 ||
    fail "the alarm dialog did not open and close"
stop_clock
no_markers
echo PASS
