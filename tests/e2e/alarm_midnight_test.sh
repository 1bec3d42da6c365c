#!/usr/bin/env bash
# A fresh store (absolute type, 00:00, alarm not enabled) stays silent through midnight. The
# hourly chime is switched off so that any sound captured would be the alarm's.
. "$(dirname "$0")/lib.sh"
TITLE="ポルカミーナ・アナログ時計"

kill_wine
reset_registry ZIHOU=0
start_clock "@2026-12-07 23:59:50"
sleep 16
expect_eq "$(captured_bytes)" "0" "sound through midnight"
driver dialog "$TITLE" 100 >/dev/null && fail "a box at midnight"
stop_clock
expect_eq "$CLOCK_RC" "0" "exit code"
expect_eq "$(driver reg-get ALARM)" "missing" "the alarm record is not saved at exit"
echo "PASS"
