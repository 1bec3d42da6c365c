#!/usr/bin/env bash
# The shipped 32-bit program strikes w02.wav three times at 15:00 and opens its alarm dialog; a
# winmm.dll and a comctl32.dll beside it, loaded first as outside Windows' KnownDLLs, never run.
. "$CLOCK_SOURCE/tests/e2e/lib.sh"
no_markers() { if m=$(cd "$BIN" && ls ./*.loaded 2>/dev/null); then fail "loaded: $m"; fi; }
mkdir "$WORK/app" && cp -r "$BIN"/{clock.exe,wave} "$PLANTED"/{winmm,comctl32}.dll "$WORK/app/"
PROBE=$BIN/dist_probe.exe BIN=$WORK/app CLOCK_EXE=$WORK/app/clock.exe && export CLOCK_DLLOVERRIDES="winmm,comctl32=n,b"
for dll in winmm comctl32; do # loaded by a 32-bit program, a stand-in leaves its marker
    "$WINE_RUN" "$PROBE" load "Z:${BIN//\//\\}\\$dll.dll" && [ -e "$BIN/$dll.dll.loaded" ] ||
        fail "the stand-in $dll.dll left no marker"
done
rm -f "$BIN"/*.loaded
start_clock "@2026-12-07 14:59:50" SIZE=0
for _ in 1 2 3; do wav_data w02.wav; done >"$WORK/expected.raw"
wait_bytes "$(stat -c %s "$WORK/expected.raw")" 90
quiet 4 || fail "more than three strikes"
driver find clock 5000 cmd "$(cmd IDM_ALARM_SETTINGS)" find "アラーム設定" 30000 \
    cmd "$(cmd IDC_ALARM_CANCEL)" gone "アラーム設定" 10000 >/dev/null; dialog=$?
no_markers
expect "$dialog" 0 "the alarm dialog opening and closing"
cmp -s <(voiced "$AUDIO") <(voiced "$WORK/expected.raw") || fail "heard $(bytes) bytes, not 3 w02"
echo PASS
