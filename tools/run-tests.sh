#!/usr/bin/env bash
# Runs the whole suite of one build: prepares the Wine prefix once, then CTest, one test at a time
# (the tests share the prefix's registry and sound device).
set -u
BUILD="$1"
"$BUILD/wine-run" --init
ctest --test-dir "$BUILD" --output-on-failure ${CTEST_ARGS:-}
rc=$?
"$BUILD/wine-run" --kill
exit $rc
