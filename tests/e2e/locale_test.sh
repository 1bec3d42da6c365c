#!/usr/bin/env bash
# The clock from a folder named "Café 時計" where the code page of non-Unicode programs is
# Japanese (932) and where it is Western (1252): the same Japanese text, sound, CLOCK.dat bytes
# and Run value under both.
. "$(dirname "$0")/lib.sh"
DIALOG="アラーム設定" IDOK=1 M=$(cmd IDC_ALARM_MESSAGE) OK=$(cmd IDC_ALARM_OK)
APP="$WORK/Café 時計"
mkdir "$APP" && cp "$BIN/clock.exe" "$APP/" && ln -s "$BIN/wave" "$APP/wave"
trap 'run_value delete /f; "$WINE_RUN" --kill >/dev/null 2>&1' EXIT
for CLOCK_LANG in ja_JP.UTF-8 en_US.UTF-8; do
    export CLOCK_LANG
    note "under $CLOCK_LANG: the alarm at 07:30 with the message beside the program"
    printf '起きて！\r\r\n会議' | iconv -f UTF-8 -t CP932 >"$APP/CLOCK.dat"
    CLOCK_EXE="$APP/clock.exe" start_clock "@2026-12-07 07:29:00 x10" ZIHOU=0 ALARM=1 HOURS=7 \
        MINUTES=30 MESSAGE=1 LEFT=300 TOP=200
    expect "$(driver find clock 1 title)" "$TITLE" "the window's title"
    xdotool mousemove 0 0 sleep 0.2 mousemove 350 260
    expect "$(driver find clock 1 tip 2000)" "2026年12月7日 (月)" "the date tooltip"
    xdotool mousemove 0 0
    box=$(driver find "$TITLE" 15000 text 0xFFFF) || fail "no alarm box"
    expect "$box" "$(printf '起きて！\n会議')" "the alarm box's text"
    wait_bytes $(($(wav_data w01.wav | wc -c) + 1)) 5 && begins_with w01.wav || fail "no alarm"
    driver find "$TITLE" 1 cmd $IDOK gone "$TITLE" 5000 || fail "OK did not close the box"

    note "under $CLOCK_LANG: a typed message saved as Shift-JIS, one with an emoji refused"
    menu IDM_ALARM_SETTINGS
    driver find "$DIALOG" 10000 type "$M" "$(printf '朝の会議\r\nです😀')" cmd "$OK" >/dev/null
    text=$(driver find "$TITLE" 5000 text 0xFFFF cmd $IDOK) || fail "no refusal"
    [[ "$text" == *保存できない文字* ]] || fail "the refusal does not say why: '$text'"
    cmp -s "$APP/CLOCK.dat" <(printf '起きて！\r\r\n会議' | iconv -f UTF-8 -t CP932) ||
        fail "the refused text reached CLOCK.dat"
    driver find "$DIALOG" 5000 type "$M" "$(printf '朝の会議\r\nです')" cmd "$OK" \
        gone "$DIALOG" 5000 || fail "the dialog stayed open"
    cmp "$APP/CLOCK.dat" <(printf '朝の会議\r\r\nです' | iconv -f UTF-8 -t CP932) ||
        fail "CLOCK.dat does not hold the Shift-JIS bytes of the typed text"

    note "under $CLOCK_LANG: the Run value names the folder, and the mark says so"
    menu IDM_LOGON_START
    expect "$(driver find clock 1 reg-run)" "\"Z:${APP//\//\\}\\clock.exe\"" "the Run value"
    menu IDM_LOGON_START # deletes it only where the mark showed it on
    expect "$(driver find clock 1 reg-run)" "-" "the Run value after choosing the item again"
    stop_clock
done
echo PASS
