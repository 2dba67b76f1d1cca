#!/usr/bin/env bash
# End-to-end test of the editor in a real window:
#   run_e2e.sh WINE_LOADER HOST.exe PLUGIN.dll GOLDEN.png WORKDIR [MORE_SCALES]
# (under with_xvfb.sh) runs the Windows test host with the plug-in under Wine, compares a
# screenshot with the offscreen rendering (text readouts masked), then clicks a ring, drags a
# knob, clicks a mute lamp and types into a readout with xdotool, and checks the parameters and
# the host calls that the host program reports. Then the host passes the scale 2 ('PreS'/'AeCs')
# before it opens the editor: the window is 580 x 1320, shows the offscreen 2x rendering, and the same gestures at the doubled
# positions give the same parameters and host calls; likewise at each of MORE_SCALES (e.g. "1.5").
set -uo pipefail
wine=$1 host=$2 plugin=$3 golden=$4 work=$5 more_scales=${6:-}
export WINEDEBUG=-all
source "$(dirname "$0")/e2e_steps.sh"

# Wine's Z: drive is the Unix root; converting here saves a Wine start per path (winepath).
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
#   start_host [SCALE]
start_host() {
  "$wine" "$host" "$(windows_path "$plugin")" "$(windows_path "$report")" "$(windows_path "$stop")" "$@" \
    >"$work/host.log" 2>&1 &
  host_pid=$!
  started+=($host_pid)
  # Generous: under user-mode emulation a Wine start takes minutes on a loaded machine.
  timeout 900 xdotool search --sync --name "QX71G e2e host" >/dev/null || fail "the host window did not appear"
  sleep 1  # a few idles
}

start_host
compare_with_golden "$golden" 200 3%
do_gestures
import -window root -crop 290x660+0+0 +repage "$work/after.png"
finish_host $host_pid "$stop"
check_gesture_params

# Consecutive repeats of one automation merged (a move may re-send the value before the next
# idle redraws the knob).
check_calls "$(host_calls | uniq)" "$(gesture_calls)"
echo "ok: ring, knob drag, mute lamp and typed readout reached the plug-in as expected"

# The host passes SCALE before the editor opens; readout text may differ in about 200 pixels
# per scale squared.
#   run_at_scale SCALE
run_at_scale() {
  scale=$1 report=$work/report-$1x.txt stop=$work/stop-$1x
  start_host "$scale"
  check_window_size "QX71G e2e host"
  compare_with_golden "${golden%.png}@${scale}x.png" "$(awk -v s="$scale" 'BEGIN { printf "%d", 200 * s * s }')" 3%
  do_gestures
  finish_host $host_pid "$stop"
  check_gesture_params
  check_calls "$(host_calls | uniq)" "$(gesture_calls)"
  echo "ok: with the host's scale $scale the editor opens at $(editor_size) and takes the same gestures"
}
for s in 2 $more_scales; do run_at_scale "$s"; done
