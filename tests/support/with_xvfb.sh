#!/usr/bin/env bash
# Runs a command with DISPLAY set to an Xvfb server of its own:  with_xvfb.sh COMMAND ARGS...
# Clients reach a display through an abstract socket first, and abstract socket names are shared
# by every machine that shares the network namespace, so a free lock file does not prove the
# display is ours: the server gets a screen width of its own, and the display counts only if
# a client sees that width. The server keeps its resources (xrdb) when its last client leaves.
set -uo pipefail
server=
trap '[ -n "$server" ] && kill $server 2>/dev/null' EXIT
for _ in $(seq 20); do
  number=$((200 + RANDOM % 30000))
  width=$((600 + RANDOM % 200))
  [ -e "/tmp/.X$number-lock" ] && continue
  Xvfb ":$number" -screen 0 "${width}x1400x24" -nolisten tcp -noreset >/dev/null 2>&1 &
  server=$!
  for _ in $(seq 50); do
    geometry=$(DISPLAY=":$number" xdotool getdisplaygeometry 2>/dev/null) && break
    sleep 0.1
  done
  [ "${geometry:-}" = "$width 1400" ] && break
  kill $server 2>/dev/null
  wait $server 2>/dev/null
  server= geometry=
done
[ -n "$server" ] || { echo "FAIL: no Xvfb display of our own could be started"; exit 1; }
DISPLAY=":$number" "$@"
