#!/bin/sh
# Runs a Windows test program under Wine on a private Xvfb display, then stops that display.
# Usage: run_in_xvfb.sh <wine> <program.exe> [arguments...]
display=":${QX71_XVFB_DISPLAY:-71}"
Xvfb "$display" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in 1 2 3 4 5 6 7 8 9 10; do
  [ -e "/tmp/.X11-unix/X${display#:}" ] && break
  sleep 0.5
done
DISPLAY="$display" WINEDEBUG=-all "$@"
status=$?
# Let Wine's helper processes leave the display before it goes away.
DISPLAY="$display" wineserver -w 2>/dev/null
kill "$xvfb_pid" 2>/dev/null
wait "$xvfb_pid" 2>/dev/null
exit $status
