#!/bin/sh
# Runs a Windows test program under Wine on an Xvfb display of its own, and lets Wine's helper
# processes leave that display before it goes away.
# Usage: run_in_xvfb.sh <wine> <program.exe> [arguments...]
exec "$(dirname "$0")/../support/with_xvfb.sh" \
  sh -c 'WINEDEBUG=-all "$@"; status=$?; wineserver -w 2>/dev/null; exit $status' run_in_xvfb "$@"
