#!/usr/bin/env bash
# End-to-end test of the editor in a real window:
#   run_e2e.sh HOST.exe PLUGIN.dll GOLDEN.png WORKDIR
# starts Xvfb on :72, runs the Windows test host with the plug-in under Wine, compares a
# screenshot with the offscreen rendering (text readouts masked), then clicks a ring, drags a
# knob, clicks a mute lamp and types into a readout with xdotool, and checks the parameters and
# the host calls that the host program reports.
set -uo pipefail
host=$1 plugin=$2 golden=$3 work=$4
export WINEDEBUG=-all DISPLAY=:72
rm -rf "$work"
mkdir -p "$work"
report=$work/report.txt
stop=$work/stop
source "$(dirname "$0")/e2e_steps.sh"
started=()
cleanup() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
}
trap cleanup EXIT

[ -e /tmp/.X72-lock ] && fail "display :72 is in use"
Xvfb :72 -screen 0 400x700x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
started+=($!)
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
xdotool getmouselocation >/dev/null 2>&1 || fail "Xvfb did not start"

wine "$host" "$(winepath -w "$plugin")" "$(winepath -w "$report")" "$(winepath -w "$stop")" >"$work/host.log" 2>&1 &
host_pid=$!
started+=($host_pid)
timeout 90 xdotool search --sync --name "QX71G e2e host" >/dev/null || fail "the host window did not appear"
sleep 1  # a few idles

compare_with_golden "$golden" 200 3%
do_gestures
import -window root -crop 290x660+0+0 +repage "$work/after.png"
finish_host $host_pid "$stop"
check_gesture_params

# Consecutive repeats of one automation merged (a move may re-send the value before the next
# idle redraws the knob).
check_calls "$(host_calls | uniq)" "begin 3 0.000000
automate 3 0.527778
automate 3 0.555556
end 3 0.000000
begin 21 0.000000
automate 21 1.000000
end 21 0.000000
begin 1007 0.000000
end 1007 0.000000"
echo "ok: ring, knob drag, mute lamp and typed readout reached the plug-in as expected"
