#!/usr/bin/env bash
# End-to-end test of the editor in a real X11 window:
#   with_xvfb.sh run_x11_e2e.sh HOST PLUGIN.so GOLDEN.png WORKDIR
# runs the Linux test host with the plug-in, compares a screenshot with the
# offscreen rendering (identical pixels outside the text readouts), then clicks a ring, drags a
# knob, clicks a mute lamp, types into a readout, turns the wheel over a knob, Ctrl+clicks it and
# nudges it with the arrow keys (with Shift too) with xdotool,
# and checks the parameters and, exactly, the host calls that the host program reports.
# Then, with "Xft.dpi: 192" in the display's resources, the same plug-in opens at 2x: the window
# is 580 x 1320, shows the offscreen 2x rendering (GOLDEN with @2x before .png), and the same
# gestures at the doubled positions give the same parameters and host calls.
set -uo pipefail
host=$1 plugin=$2 golden=$3 work=$4
source "$(dirname "$0")/e2e_steps.sh"

"$host" "$plugin" "$report" "$stop" >"$work/host.log" 2>&1 &
host_pid=$!
started+=($host_pid)
timeout 30 xdotool search --sync --name "QX71G e2e host" >/dev/null || fail "the host window did not appear"
sleep 0.5  # a few idles

compare_with_golden "$golden" 0 0
cp "$work/window.png" "$work/before.png"
do_gestures
# The wheel, one notch up, over the middle band's gain knob: "MF Gain" from 0.5 by 0.1.
xdotool mousemove 80 220 click 4
sleep 0.3
# Ctrl+click sets it back to its default; then, with the knob holding the focus, the Up key
# nudges it by the wheel step and Shift+Down by a tenth of that.
xdotool keydown ctrl click 1 keyup ctrl
sleep 0.3
xdotool key Up
sleep 0.2
xdotool key shift+Down
sleep 0.3
import -window root -crop 290x660+0+0 +repage "$work/after.png"
finish_host $host_pid "$stop"
check_gesture_params
check_param 8 0.59

check_calls "$(host_calls)" "$(gesture_calls)
begin 8 0.000000
automate 8 0.600000
end 8 0.000000
begin 8 0.000000
automate 8 0.500000
end 8 0.000000
begin 8 0.000000
automate 8 0.600000
end 8 0.000000
begin 8 0.000000
automate 8 0.590000
end 8 0.000000"
echo "ok: ring, knob drag, mute lamp, typed readout, wheel, Ctrl+click and keys reached the plug-in as expected"

echo "Xft.dpi: 192" | xrdb -merge || fail "xrdb cannot set Xft.dpi"
scale=2 report=$work/report-2x.txt stop=$work/stop-2x
"$host" "$plugin" "$report" "$stop" >"$work/host.log" 2>&1 &
host_pid=$!
started+=($host_pid)
timeout 30 xdotool search --sync --name "QX71G e2e host" >/dev/null || fail "the host window did not appear at 2x"
sleep 0.5
check_window_size "QX71G e2e host"
compare_with_golden "${golden%.png}@2x.png" 0 0
do_gestures
finish_host $host_pid "$stop"
check_gesture_params
check_calls "$(host_calls)" "$(gesture_calls)"
echo "ok: at Xft.dpi 192 the editor opens at 580 x 1320, looks as rendered offscreen and takes the same gestures"
