#!/usr/bin/env bash
# End-to-end test of the editor in a real window:
#   run_e2e.sh WINE_LOADER HOST.exe PLUGIN.dll GOLDEN.png WORKDIR
# starts Xvfb on a free display, runs the Windows test host with the plug-in under Wine, compares a
# screenshot with the offscreen rendering (text readouts masked), then clicks a ring, drags a
# knob, clicks a mute lamp and types into a readout with xdotool, and checks the parameters and
# the host calls that the host program reports.
set -uo pipefail
wine=$1 host=$2 plugin=$3 golden=$4 work=$5
export WINEDEBUG=-all
rm -rf "$work"
mkdir -p "$work"
report=$work/report.txt
stop=$work/stop
started=()
cleanup() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  [ -f "$work/host.log" ] && sed 's/^/host: /' "$work/host.log" | tail -20
  exit 1
}

# Xvfb picks a free display and writes its number.
Xvfb -displayfd 1 -screen 0 400x700x24 -nolisten tcp >"$work/display" 2>"$work/xvfb.log" &
started+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -1 "$work/display")"

# Wine's Z: drive is the Unix root; converting here saves a Wine start per path (winepath).
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
"$wine" "$host" "$(windows_path "$plugin")" "$(windows_path "$report")" "$(windows_path "$stop")" >"$work/host.log" 2>&1 &
host_pid=$!
started+=($host_pid)
# Generous: under user-mode emulation a Wine start takes minutes on a loaded machine.
timeout 900 xdotool search --sync --name "QX71G e2e host" >/dev/null || fail "the host window did not appear"
sleep 1  # a few idles

# The window shows what the offscreen backend renders, apart from the text of the readouts.
readouts=(105,117,135,129 105,257,135,269 105,397,135,409 245,40,275,52 245,180,275,192 245,320,275,332
          245,500,275,512)
mask=()
for r in "${readouts[@]}"; do
  IFS=, read -r l t rr b <<<"$r"
  mask+=(-draw "rectangle $l,$t $((rr - 1)),$((b - 1))")
done
convert "$golden" -alpha off -fill black "${mask[@]}" "$work/golden-masked.png"
for _ in $(seq 240); do  # the first paint may still be on its way (slow under emulation)
  import -window root -crop 290x660+0+0 +repage "$work/window.png" || fail "no screenshot"
  convert "$work/window.png" -alpha off -fill black "${mask[@]}" "$work/window-masked.png"
  differing=$(compare -metric AE -fuzz 3% "$work/window-masked.png" "$work/golden-masked.png" "$work/difference.png" 2>&1)
  [ "${differing%%.*}" -le 200 ] 2>/dev/null && break
  sleep 0.5
done
echo "screenshot: $differing of 191400 pixels differ from the offscreen rendering"
[ "${differing%%.*}" -le 200 ] 2>/dev/null || fail "the window differs from the offscreen rendering in $differing pixels"

# A click on the high band ring at 9 o'clock: "HF Freq" to 2/7.
xdotool mousemove 25 80 click 1
sleep 0.3
# A drag of the high band gain knob, 24 pixels up in 4-pixel moves: two steps of 400/36 pixels.
xdotool mousemove 80 80 mousedown 1
sleep 0.2
for y in 76 72 68 64 60 56; do
  xdotool mousemove 80 $y
  sleep 0.1
done
xdotool mouseup 1
sleep 0.3
# A click on the high band lamp: its invisible mute button.
xdotool mousemove 145 94 click 1
sleep 0.3
# Typed text in the output readout.
xdotool mousemove 260 506 click 1
sleep 0.5
xdotool type --delay 50 "12.5"
xdotool key Return
sleep 0.5
import -window root -crop 290x660+0+0 +repage "$work/after.png"

touch "$stop"
for _ in $(seq 300); do kill -0 $host_pid 2>/dev/null || break; sleep 0.1; done
kill -0 $host_pid 2>/dev/null && fail "the host did not finish"
wait $host_pid || fail "the host failed"
[ -f "$report" ] || fail "no report"

check_param() {  # index expected
  awk -v i="$1" -v want="$2" '$1 == "param" && $2 == i { d = $3 - want; if (d < 0) d = -d; found = 1; exit !(d < 1e-6) }
                               END { if (!found) exit 1 }' "$report" \
    || fail "parameter $1 is $(awk -v i="$1" '$1 == "param" && $2 == i {print $3}' "$report"), expected $2"
}
check_param 2 0.285714298   # 2/7
check_param 3 0.555555582   # 0.5 + 2/36
check_param 21 1
check_param 0 0.75          # (12.5 + 25) / 50
check_param 7 0             # untouched

# The host calls, consecutive repeats of one automation merged (a move may re-send the value
# before the next idle redraws the knob).
calls=$(awk '$1 == "call" { printf "%s %s %.6f\n", $2, $3, ($2 == "automate" ? $4 : 0) }' "$report" | uniq)
expected="begin 3 0.000000
automate 3 0.527778
automate 3 0.555556
end 3 0.000000
begin 21 0.000000
automate 21 1.000000
end 21 0.000000
begin 1007 0.000000
end 1007 0.000000"
if [ "$calls" != "$expected" ]; then
  echo "host calls:"
  echo "$calls"
  fail "the host calls differ from the expected gestures"
fi
echo "ok: ring, knob drag, mute lamp and typed readout reached the plug-in as expected"
