#!/usr/bin/env bash
# Runs a command with DISPLAY set to a private Xvfb server that ends with it.
# Xvfb picks a free display itself (-displayfd), so runs started side by side never share one.
set -u
DFILE=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$DFILE" >/dev/null 2>&1 &
XPID=$!
for _ in $(seq 1 100); do
  [ -s "$DFILE" ] && break
  sleep 0.1
done
DISP=$(tr -d '[:space:]' <"$DFILE")
rm -f "$DFILE"
[ -n "$DISP" ] || { echo "with-xvfb: Xvfb did not start" >&2; kill "$XPID" 2>/dev/null; exit 1; }
export DISPLAY=":$DISP" XVFB_PID=$XPID
"$@"
rc=$?
kill "$XPID" 2>/dev/null
wait "$XPID" 2>/dev/null
exit $rc
