#!/usr/bin/env bash
# Runs a command with DISPLAY set to a private Xvfb server that ends with it.
set -u
for n in $(seq 90 150); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { DISP=$n; break; }
done
Xvfb ":$DISP" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
XPID=$!
for _ in $(seq 1 100); do
  DISPLAY=":$DISP" xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
export DISPLAY=":$DISP"
"$@"
rc=$?
kill "$XPID" 2>/dev/null
wait "$XPID" 2>/dev/null
exit $rc
