# Steps shared by the end-to-end tests of the editor in a real window (sourced once the caller has
# set work, a folder made afresh here). The caller sets DISPLAY, shows the editor at the screen's
# top-left corner, has its host write the report to $report and stop when $stop appears, and lists
# the processes it starts in started, which end with the script. Positions are logical editor
# pixels; the gestures and screenshots multiply them by $scale (1 unless the caller sets it) for
# an editor shown at that scale, rounding to device pixels as the editor does.
scale=1
rm -rf "$work"
mkdir -p "$work"
report=$work/report.txt
stop=$work/stop
started=()
cleanup() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
}
trap cleanup EXIT

# A logical coordinate on the screen: round(value x scale).
scaled() { awk -v v="$1" -v s="$scale" 'BEGIN { printf "%d", v * s + 0.5 }'; }

fail() {
  echo "FAIL: $*"
  [ -f "$work/host.log" ] && sed 's/^/host: /' "$work/host.log" | tail -20
  exit 1
}

# The window shows what the offscreen backend renders, apart from the text of the readouts
# (the rasterizer's text against the system's in Windows).
#   compare_with_golden GOLDEN MAX_DIFFERING_PIXELS COLOUR_FUZZ
compare_with_golden() {
  local golden=$1 allowed=$2 fuzz=$3 readouts mask=() differing
  readouts=(105,117,135,129 105,257,135,269 105,397,135,409 245,40,275,52 245,180,275,192 245,320,275,332
            245,500,275,512)
  for r in "${readouts[@]}"; do
    IFS=, read -r l t rr b <<<"$r"
    mask+=(-draw "rectangle $(scaled "$l"),$(scaled "$t") $(($(scaled "$rr") - 1)),$(($(scaled "$b") - 1))")
  done
  convert "$golden" -alpha off -fill black "${mask[@]}" "$work/golden-masked.png"
  for _ in $(seq 240); do  # the first paint may still be on its way (slow under emulation)
    import -window root -crop "$(editor_size)+0+0" +repage "$work/window.png" || fail "no screenshot"
    convert "$work/window.png" -alpha off -fill black "${mask[@]}" "$work/window-masked.png"
    differing=$(compare -metric AE -fuzz "$fuzz" "$work/window-masked.png" "$work/golden-masked.png" "$work/difference.png" 2>&1)
    [ "${differing%%.*}" -le "$allowed" ] 2>/dev/null && break
    sleep 0.5
  done
  echo "screenshot: $differing of $(($(scaled 290) * $(scaled 660))) pixels differ from the offscreen rendering"
  [ "${differing%%.*}" -le "$allowed" ] 2>/dev/null || fail "the window differs from the offscreen rendering in $differing pixels"
}

# The editor's size on screen, WIDTHxHEIGHT.
editor_size() { echo "$(scaled 290)x$(scaled 660)"; }

# Moves the pointer to a logical position.
move_to() { xdotool mousemove "$(scaled "$1")" "$(scaled "$2")"; }

# A click on a ring legend, a drag of a gain knob, a click on a section lamp and a value typed
# into the Output readout.
do_gestures() {
  # A click on the high band ring at 9 o'clock: "HF Freq" to 2/7.
  move_to 25 80
  xdotool click 1
  sleep 0.3
  # A drag of the high band gain knob, 24 pixels up in 4-pixel moves: two steps of 400/36 pixels.
  move_to 80 80
  xdotool mousedown 1
  sleep 0.2
  for y in 76 72 68 64 60 56; do
    move_to 80 $y
    sleep 0.1
  done
  xdotool mouseup 1
  sleep 0.3
  # A click on the high band lamp: its invisible mute button.
  move_to 145 94
  xdotool click 1
  sleep 0.3
  # Typed text in the output readout.
  move_to 260 506
  xdotool click 1
  sleep 0.5
  xdotool type --delay 50 "12.5"
  xdotool key Return
  sleep 0.5
}

# Stops the host through its stop file and waits for its report.
#   finish_host PID STOPFILE
finish_host() {
  local pid=$1 stop=$2
  touch "$stop"
  for _ in $(seq 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "the host did not finish"
  wait "$pid" || fail "the host failed"
  [ -f "$report" ] || fail "no report"
}

check_param() {  # index expected
  awk -v i="$1" -v want="$2" '$1 == "param" && $2 == i { d = $3 - want; if (d < 0) d = -d; found = 1; exit !(d < 1e-6) }
                               END { if (!found) exit 1 }' "$report" \
    || fail "parameter $1 is $(awk -v i="$1" '$1 == "param" && $2 == i {print $3}' "$report"), expected $2"
}

# The parameters that do_gestures sets, and one it leaves alone.
check_gesture_params() {
  check_param 2 0.285714298   # 2/7
  check_param 3 0.555555582   # 0.5 + 2/36
  check_param 21 1
  check_param 0 0.75          # (12.5 + 25) / 50
  check_param 7 0             # untouched
}

# The host calls that do_gestures leads to, in order: one begin/end pair per gesture.
gesture_calls() {
  echo "begin 3 0.000000
automate 3 0.527778
automate 3 0.555556
end 3 0.000000
begin 21 0.000000
automate 21 1.000000
end 21 0.000000
begin 1007 0.000000
end 1007 0.000000"
}

# The host's calls as "opcode index value" lines (value only for automation).
host_calls() {
  awk '$1 == "call" { printf "%s %s %.6f\n", $2, $3, ($2 == "automate" ? $4 : 0) }' "$report"
}

#   check_calls ACTUAL EXPECTED
check_calls() {
  if [ "$1" != "$2" ]; then
    echo "host calls:"
    echo "$1"
    echo "expected:"
    echo "$2"
    fail "the host calls differ from the expected gestures"
  fi
}

# The host window is the editor's size.
#   check_window_size TITLE
check_window_size() {
  local size
  size=$(xdotool search --name "$1" getwindowgeometry | awk '$1 == "Geometry:" {print $2; exit}')
  [ "$size" = "$(editor_size)" ] || fail "the host window is $size, expected $(editor_size)"
  echo "window: $size"
}
