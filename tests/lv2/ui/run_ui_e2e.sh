#!/usr/bin/env bash
# End-to-end test of the LV2 X11 UI in a host window:
#   with_xvfb.sh run_ui_e2e.sh HOST UI.so CHARACTERISTIC.png DEFAULT.png WORKDIR
# Port events in real units for the offscreen renderer's characteristic setting (with ignored
# ones among them: an unknown port, another format, NaN) must give its pixels outside the
# readouts, the output level port above full scale lighting the clip lamp; the lamp is dark at a
# level just below and lit just above full scale. Then the editor gestures of the VST 2.4
# end-to-end test must reach the host as port writes in real units, with touch around the
# gestures, and nothing the host sent may come back.
set -uo pipefail
host=$1 ui=$2 characteristic=$3 default=$4 work=$5
source "$(dirname "$0")/../../editor/e2e/e2e_steps.sh"
commands=$work/commands

send() {  # command lines; waits until the host took them
  printf '%s\n' "$@" >"$commands.new" && mv "$commands.new" "$commands"
  for _ in $(seq 100); do [ -e "$commands" ] || break; sleep 0.05; done
  sleep 0.3
}

# The clip lamp's pixels in the window against the same pixels of GOLDEN.
lamp_as_in() {
  import -window root -crop 28x28+230+605 +repage "$work/lamp.png" || fail "no screenshot"
  convert "$1" -crop 28x28+230+605 +repage "$work/lamp-golden.png"
  [ "$(compare -metric AE "$work/lamp.png" "$work/lamp-golden.png" null: 2>&1)" = 0 ]
}

"$host" "$ui" "$report" "$commands" >"$work/host.log" 2>&1 &
host_pid=$!
started+=($host_pid)
timeout 30 xdotool search --sync --name "QX71 LV2 UI host" >/dev/null || fail "the host window did not appear"

send "port 2 8200" "port 3 7.92" "port 4 0.8125" "port 5 1" "port 6 1" "port 7 700" "port 8 -7.2" "port 9 1.125" \
  "port 11 45" "port 12 5.04" "port 13 1" "port 15 1" "port 17 45" "port 16 14000" "port 18 12" "port 19 18" \
  "port 0 3" "port 20 1" "port 22 1" "port 99 1" "port 2 1100 7" "port 12 nan" "level 1.5"
compare_with_golden "$characteristic" 0 0
send "level 0.999"
sleep 0.5
lamp_as_in "$default" || fail "the clip lamp is lit at a level below full scale"
send "level 1.001"
lamp_as_in "$characteristic" || fail "the clip lamp is dark at a level above full scale"

# Back to the defaults, as a host's preset would send them, then the gestures.
send "level 0" "port 0 0" "port 2 0" "port 3 0" "port 4 1" "port 5 0" "port 6 0" "port 7 0" "port 8 0" "port 9 1" \
  "port 11 0" "port 12 0" "port 13 1" "port 15 0" "port 16 0" "port 17 0" "port 18 6" "port 19 6" "port 20 0" "port 22 0"
do_gestures
send "stop"
for _ in $(seq 100); do kill -0 "$host_pid" 2>/dev/null || break; sleep 0.1; done
wait "$host_pid" || fail "the host failed"

# Ring click: HF Freq to 2.2 kHz; drag: HF Gain up two steps of 1 dB; lamp: Mute HF; typed Output.
expected="resize 290 660
write 2 2200
touch 3 1
write 3 1
write 3 2
touch 3 0
touch 21 1
write 21 1
touch 21 0
write 0 12.5"
# Real values to 5 decimals: the 1 dB steps are exact up to the single-precision mapping.
actual=$(awk '{ if ($1 == "write") printf "write %s %.5g\n", $2, $3; else print }' "$report")
check_calls "$actual" "$expected"
echo "ok: characteristic setting and clip lamp through port events; ring, knob drag, lamp and typed value as port writes"
