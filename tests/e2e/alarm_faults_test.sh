#!/usr/bin/env bash
# Nothing the user sets is lost: a confirmation made while an older alarm rings survives it, a
# message that cannot be written is reported, a late alarm still rings its minute, and a clock
# placed off every screen comes back while a partly visible one stays put.
. "$(dirname "$0")/lib.sh"

TITLE="ポルカミーナ・アナログ時計"
DIALOG="アラーム設定"
FAST="@2026-12-07 10:10:00 x10"

# start_fast: the wineserver first, then a driver that boots the session and stays, then the
# clock, all ten times fast, so that tick counts and timers keep the clock's pace. The driver's
# waits run ten times fast too. libfaketime is preloaded directly: the faketime wrapper would wait
# for every process its child leaves behind.
start_fast() {
    local fake=(env LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
        FAKETIME="$FAST" NO_FAKE_STAT=1)
    kill_wine
    "${fake[@]}" "$WINE_RUN" --wineserver -f -p >/dev/null 2>&1 &
    sleep 0.5
    "${fake[@]}" "$WINE_RUN" "$BIN/clock_driver.exe" dialog none 2000000000 >/dev/null 2>&1 &
    sleep 2
    (cd "$WORK" && exec "${fake[@]}" "$WINE_RUN" "$BIN/clock.exe" </dev/null) &
    CLOCK_PID=$!
    driver wait-window 300000 >/dev/null || fail "the clock window did not appear"
}

note "a position partly on the screen is kept; one off every monitor comes fully onto it"
kill_wine
for row in "-20 -30 keep" "3000 2000 move"; do
    read -r left top rule <<<"$row"
    reset_registry ZIHOU=0 LEFT="$left" TOP="$top"
    start_clock
    read -r l t r b <<<"$(driver rect)"
    if [ "$rule" = keep ]; then
        expect_eq "$l $t" "$left $top" "partly visible window"
    else
        expect_eq "$r $b" "1024 768" "window brought to the nearest corner of the screen"
    fi
    stop_clock
done

note "a message that cannot be written is reported; the old file and the other settings stay"
printf 'old' >"$WORK/CLOCK.dat"
mkdir "$WORK/CLOCK.dat.new" # where the new text would be written first
reset_registry ZIHOU=0
start_clock
driver command 40001
driver dialog "$DIALOG" 20000 >/dev/null || fail "the settings dialog did not open"
driver dialog-set-text "$DIALOG" 1021 "new"
driver dialog-set-text "$DIALOG" 1001 7
driver dialog-command "$DIALOG" 2002
driver dialog "$TITLE" 10000 >/dev/null || fail "no warning box"
driver dialog-text "$TITLE" | grep -q 'CLOCK\.dat' || fail "the warning does not name the file"
driver dialog-command "$TITLE" 1
driver dialog-gone "$DIALOG" 5000 || fail "the dialog stayed open"
expect_eq "$(cat "$WORK/CLOCK.dat")" "old" "old message file"
expect_eq "$(driver reg-get HOURS)" "7" "hour saved all the same"
stop_clock
rmdir "$WORK/CLOCK.dat.new"

note "confirming while an older alarm's box is open: the confirmation is what remains"
printf 'wake' >"$WORK/CLOCK.dat"
reset_registry ZIHOU=0 ALARM=1 ALARMTYPE=1 MINUTES2=1 MESSAGE=1
start_fast
driver command 40001
driver dialog "$DIALOG" 200000 >/dev/null || fail "the settings dialog did not open"
driver dialog "$TITLE" 200000 >/dev/null || fail "the old alarm did not ring"
driver dialog-set-text "$DIALOG" 1011 2
driver dialog-command "$DIALOG" 2002
sleep 8 # the old alarm's minute ends with its box still open
driver dialog-command "$TITLE" 1
driver dialog-gone "$DIALOG" 50000 || fail "the dialog stayed open"
expect_eq "$(driver reg-get ALARM) $(driver reg-get MINUTES2)" "1 2" "confirmed alarm in the registry"
driver dialog "$TITLE" 200000 >/dev/null || fail "the confirmed alarm did not ring"
driver dialog-command "$TITLE" 1
kill_wine

note "a relative alarm whose first tick comes late still rings for a minute"
reset_registry ZIHOU=0 ALARM=1 ALARMTYPE=1 MINUTES2=2 MESSAGE=0
start_fast
kill -STOP "$CLOCK_PID"
sleep 16 # over three fake minutes: the whole ringing minute is missed
: >"$AUDIO"
kill -CONT "$CLOCK_PID"
sound_goes_on || fail "no sound after the late tick"
expect_eq "$(driver reg-get ALARM)" "1" "armed while ringing"
sleep 2
sound_goes_on || fail "the late alarm stopped within its minute"
sleep 5
expect_eq "$(driver reg-get ALARM)" "0" "disarmed a minute after it started"
sound_goes_on && fail "sound after the ringing minute"
stop_clock
echo "PASS"
