#!/usr/bin/env bash
# lv2apply (lilv-utils, a third-party LV2 host) renders a WAV through the bundle with port values in
# real units; qx71-render renders it through the VST 2.4 edition at the normalized values the same
# settings map to, one frame per call as lv2apply runs. The files must be identical. Both processes
# preload the fixed clock, so the Analog noise starts from the same seed; a render with another
# seed must differ, which shows the noise is in the comparison.
set -euo pipefail
render=$1 vst=$2 bundles=$3 fixed_clock=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LV2_PATH=$bundles LD_PRELOAD=$fixed_clock QX71_FIXED_CLOCK_MS=314159

"$render" --plugin "$vst" --signal sweep --seconds 0.5 --out "$work/in.wav" >/dev/null
lv2=(-c hf_freq 5800 -c hf_gain 9 -c hf_mode 1 -c mf_freq 700 -c mf_gain -4.5 -c mf_type 1
     -c lf_freq 110 -c lf_gain 6 -c hi_pass 45 -c hi_slope 18 -c lo_pass 14000 -c lo_slope 24
     -c analog 1 -c output -3)
# The same settings as normalized values: position / steps, (value - minimum) / range.
vst_settings=(--set "HF Freq=0.571428571428571" --set "HF Gain=0.75" --set "HF Mode=1"
              --set "MF Freq=0.428571428571429" --set "MF Gain=0.375" --set "MF Type=1"
              --set "LF Freq=0.571428571428571" --set "LF Gain=0.666666666666667"
              --set "Hi-Pass=0.4" --set "Hi Slope=0.666666666666667" --set "Lo-Pass=0.4" --set "Lo Slope=1"
              --set "Analog=1" --set "Output=0.44")

lv2apply -i "$work/in.wav" -o "$work/lv2.wav" "${lv2[@]}" urn:qx71:channel-eq
"$render" --plugin "$vst" --in "$work/in.wav" --out "$work/vst.wav" --block 1 "${vst_settings[@]}" >/dev/null
cmp "$work/lv2.wav" "$work/vst.wav"
echo "lv2apply and qx71-render agree bit for bit"

QX71_FIXED_CLOCK_MS=2718 lv2apply -i "$work/in.wav" -o "$work/other-seed.wav" "${lv2[@]}" urn:qx71:channel-eq
if cmp -s "$work/lv2.wav" "$work/other-seed.wav"; then
  echo "another noise seed gave the same file: the Analog noise is not in the comparison"
  exit 1
fi
