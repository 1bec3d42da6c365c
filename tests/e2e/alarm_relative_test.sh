#!/usr/bin/env bash
# A relative alarm of one minute set through the settings dialog: it rings in the minute after
# the confirmation, stops after it and is disarmed in the registry.
. "$(dirname "$0")/lib.sh"

DIALOG="アラーム設定"

kill_wine
reset_registry ZIHOU=0
start_clock

note "set a relative alarm of 1 minute in the dialog"
driver command 40001
driver dialog "$DIALOG" 20000 >/dev/null || fail "the settings dialog did not open"
expect_eq "$(driver dialog-checked "$DIALOG" 1000)" "0" "alarm enabled at first"
driver dialog-click "$DIALOG" 1000
driver dialog-click "$DIALOG" 1010
expect_eq "$(driver dialog-checked "$DIALOG" 1010)" "1" "relative type chosen"
expect_eq "$(driver dialog-checked "$DIALOG" 1009)" "0" "absolute type cleared"
driver dialog-set-text "$DIALOG" 1011 1
driver dialog-command "$DIALOG" 2002
driver dialog-gone "$DIALOG" 5000 || fail "OK did not close the dialog"
armed=$(date +%s)
expect_eq "$(driver reg-get ALARM)" "1" "armed"
expect_eq "$(driver reg-get ALARMTYPE)" "1" "relative type saved"
expect_eq "$(driver reg-get MINUTES2)" "1" "delay saved"

note "silent during the first minute"
sleep 50
expect_eq "$(captured_bytes)" "0" "sound before the minute is up"

note "rings in its minute"
while [ $(($(date +%s) - armed)) -lt 75 ]; do sleep 1; done
sound_goes_on || fail "no sound one minute after arming"
expect_eq "$(driver reg-get ALARM)" "1" "still armed while ringing"

note "stops after one minute of ringing and disarms itself"
while [ $(($(date +%s) - armed)) -lt 128 ]; do sleep 1; done
expect_eq "$(driver reg-get ALARM)" "0" "disarmed in the registry"
sound_goes_on && fail "sound after the ringing minute"
stop_clock
expect_eq "$CLOCK_RC" "0" "exit code"
expect_eq "$(driver reg-get ALARM)" "0" "disarmed after exit"
echo "PASS"
