#!/usr/bin/env bash
# The hourly chime of the shipped 32-bit program: at 15:00 the small clock strikes w02.wav
# exactly three times, and its alarm dialog opens and closes, while a winmm.dll and a comctl32.dll
# left beside it, which Wine would load first as Windows does outside its KnownDLLs, never run.
. "$CLOCK_SOURCE/tests/e2e/lib.sh"
DIALOG="アラーム設定"
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
no_markers() { if m=$(cd "$APP" && ls ./*.loaded 2>/dev/null); then fail "loaded: $m"; fi; }
# voiced FILE: its 16-bit samples without the silent ones the device plays when it runs dry.
voiced() { od -An -v -tx2 -w2 "$1" | grep -v 0000; }
APP=$WORK/app
mkdir -p "$APP"
cp -r "$BIN/clock.exe" "$BIN/wave" "$PLANTED/winmm.dll" "$PLANTED/comctl32.dll" "$APP/"
export CLOCK_DLLOVERRIDES="winmm,comctl32=n,b" CLOCK_EXE=$APP/clock.exe

note "the stand-ins leave their marker when a 32-bit program loads them"
"$WINE_RUN" "$BIN/dist_probe.exe" load "$(winpath "$APP/winmm.dll")" \
    "$(winpath "$APP/comctl32.dll")" || fail "the stand-ins do not load"
for dll in winmm comctl32; do
    [ -e "$APP/$dll.dll.loaded" ] || fail "the stand-in $dll.dll left no marker"
done
rm -f "$APP"/*.loaded

note "the small clock beside them from 14:59:50"
start_clock "@2026-12-07 14:59:50" SIZE=0
for _ in 1 2 3; do wav_data w02.wav; done >"$WORK/expected.raw"
wait_bytes "$(stat -c %s "$WORK/expected.raw")" 90
quiet 4 || fail "more than three strikes"
driver find clock 5000 cmd "$(cmd IDM_ALARM_SETTINGS)" find "$DIALOG" 30000 \
    cmd "$(cmd IDC_ALARM_CANCEL)" gone "$DIALOG" 10000 >/dev/null
dialog=$?
no_markers
expect "$dialog" 0 "the alarm dialog opening and closing"
cmp -s <(voiced "$AUDIO") <(voiced "$WORK/expected.raw") ||
    fail "heard $(bytes) bytes, not three strikes of w02.wav"
echo PASS
