#!/usr/bin/env bash
# What the running clock costs, beside `xclock -update 1` on the same private X server.
# Each size of clock.exe runs, visible and with its session locked, the large one at 200 % too,
# then xclock, for PERF_SECONDS (20) after a short settle; the CPU time of every thread of the
# program, its wineserver and Xvfb comes from /proc/*/schedstat.
# Prints figures only: a benchmark, it never fails on timing.
# Usage: tools/perf.sh BUILD_DIR (the x64 build, which has the driver).
set -u
BUILD="$(cd "${1:-build/x64}" && pwd)"
SECS="${PERF_SECONDS:-20}"
SETTLE="${PERF_SETTLE:-3}"
RUN="$BUILD/wine-run"
# Another build of the program may be measured in the same way (PERF_CLOCK=path/clock.exe).
CLOCK_EXE="${PERF_CLOCK:-$BUILD/bin/clock.exe}"

# cpu_ns PID: CPU time of all threads of PID so far, in nanoseconds; 0 once it is gone.
cpu_ns() {
    local t=0 f ns rest
    for f in /proc/"$1"/task/*/schedstat; do
        [ -r "$f" ] && read -r ns rest <"$f" 2>/dev/null && t=$((t + ns))
    done
    echo "$t"
}

# measure PROGRAM_PID SERVER_PID: "program server xvfb" in ms of CPU per second of running.
measure() {
    local p0 s0 x0 t0 p1 s1 x1 t1
    sleep "$SETTLE"
    p0=$(cpu_ns "$1") s0=$(cpu_ns "$2") x0=$(cpu_ns "$XPID") t0=$(date +%s%N)
    sleep "$SECS"
    p1=$(cpu_ns "$1") s1=$(cpu_ns "$2") x1=$(cpu_ns "$XPID") t1=$(date +%s%N)
    awk -v p=$((p1 - p0)) -v s=$((s1 - s0)) -v x=$((x1 - x0)) -v t=$((t1 - t0)) \
        'BEGIN { printf "%.3f %.3f %.3f\n", p * 1e3 / t, s * 1e3 / t, x * 1e3 / t }'
}

# On a private X server of its own, whose process is measured too.
[ -n "${XVFB_PID:-}" ] || exec "$(dirname "$0")/with-xvfb.sh" "$0" "$@"
XPID=$XVFB_PID
SERVER=""
finish() {
    "$RUN" --kill >/dev/null 2>&1
    [ -n "$SERVER" ] && wait "$SERVER" 2>/dev/null
}
trap finish EXIT

drv() { "$RUN" "$BUILD/bin/clock_driver.exe" "$@" | tr -d '\r'; }
"$RUN" --init
"$RUN" --kill >/dev/null 2>&1
# Our own wineserver, so that its PID is known; it stays for all three sizes.
"$RUN" --wineserver -f -p &
SERVER=$!
sleep 1
kill -0 "$SERVER" 2>/dev/null || { echo "perf: another wineserver holds $BUILD's prefix" >&2; exit 1; }

echo "perf: ${SECS} s per run after ${SETTLE} s settling; ms of CPU per second of running"
# The registry is written once, before anything is measured: the wineserver saves a changed
# registry to disk some 30 s later, which would land in a measurement and swell its figure.
drv reg-set SIZE=0 ALARMTYPE=2 >/dev/null # no alarm may ring while we measure
written=$(date +%s)
"$RUN" "$CLOCK_EXE" &
pid=$!
drv find clock 30000 >/dev/null || { echo "perf: no clock window" >&2; exit 1; }
# Meanwhile Wine's desktop and services settle too.
sleep $((written + 32 - $(date +%s)))
# One clock for all three sizes, switched through its menu, which writes nothing.
ROWS=""
command=40005
# Each size also while the session is locked (the notice Windows sends, here from the driver):
# nobody can see the clock then, and it wakes for its chime and alarm alone.
for name in small medium large; do
    drv find clock 5000 cmd $command >/dev/null
    ROWS="$ROWS$name $(measure "$pid" "$SERVER")"$'\n'
    drv find clock 5000 session 7 >/dev/null
    ROWS="$ROWS${name}_locked $(measure "$pid" "$SERVER")"$'\n'
    drv find clock 5000 session 8 >/dev/null
    command=$((command + 1))
done
# The large clock on a monitor at 200 % (the notice Windows sends when it is dragged onto one):
# four times the pixels, for at most twice the program's cost at 100 %.
read -r left top _ <<<"$(drv find clock 5000 rect)"
drv find clock 5000 dpi 192 "$left" "$top" >/dev/null
ROWS="${ROWS}large_at_200_% $(measure "$pid" "$SERVER")"$'\n'
# Ended without a word, so that it saves nothing either.
kill -KILL "$pid"
wait "$pid" 2>/dev/null
# What Wine costs with its services up and no program of ours: the floor under every clock row.
ROWS="wine-idle $(measure 0 "$SERVER")"$'\n'"$ROWS"

xclock -update 1 &
XCLOCK=$!
XROW="$(measure "$XCLOCK" 0)"
kill "$XCLOCK"
wait "$XCLOCK" 2>/dev/null

# "above Wine": the ratio once the wineserver's own cost with no program running is taken off.
printf '%s' "$ROWS" | awk -v xrow="$XROW" '
BEGIN {
    split(xrow, x, " "); xt = x[1] + x[3]
    printf "%-22s %8s %8s %11s %8s %8s %12s\n", "what runs", "total", "program", "wineserver", "Xvfb",
        "ratio", "above Wine"
}
$1 == "wine-idle" {
    floor = $3
    printf "%-22s %8.2f %8.2f %11.2f %8.2f %7.1fx %12s\n", "Wine, no program", $3, 0, $3, 0,
        (xt > 0 ? $3 / xt : 0), "-"
    next
}
{
    t = $2 + $3 + $4
    gsub(/_/, " ", $1)
    printf "%-22s %8.2f %8.2f %11.2f %8.2f %7.1fx %11.2fx\n", "clock, " $1, t, $2, $3, $4,
        (xt > 0 ? t / xt : 0), (xt > 0 ? (t - floor) / xt : 0)
}
END {
    printf "%-22s %8.2f %8.2f %11s %8.2f %7.1fx %12s\n", "xclock -update 1", xt, x[1], "-", x[3], 1, "-"
}'
