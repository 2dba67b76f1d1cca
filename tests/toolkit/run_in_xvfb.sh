#!/bin/sh
# Runs a Windows test program under Wine on a private Xvfb display, then stops that display.
# Usage: run_in_xvfb.sh <wine> <program.exe> [arguments...]
display_file=$(mktemp)
# Xvfb picks a free display and writes its number.
Xvfb -displayfd 1 -screen 0 640x480x24 -nolisten tcp >"$display_file" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
display=":$(head -1 "$display_file")"
rm -f "$display_file"
DISPLAY="$display" WINEDEBUG=-all "$@"
status=$?
# Let Wine's helper processes leave the display before it goes away.
DISPLAY="$display" wineserver -w 2>/dev/null
kill "$xvfb_pid" 2>/dev/null
wait "$xvfb_pid" 2>/dev/null
exit $status
