#!/usr/bin/env bash
# The unit tables built for i686, where its code differs from the x64 build's (x87 arithmetic,
# the pixel loops without SSE2), pass on a machine that runs 32-bit code.
. "$CLOCK_SOURCE/tests/e2e/lib.sh"
[ -f "$BIN/test_unit.exe" ] || fail "no $BIN/test_unit.exe in the 32-bit build"
"$WINE_RUN" "$BIN/test_unit.exe" --gtest_brief=1 </dev/null || fail "the 32-bit unit tests fail"
echo PASS
