#!/bin/sh
# Runs the same harness measurement (ns per stereo frame, single-precision callback, -2 dBFS
# sine pair, 48 kHz) on QX71 with its full chain and on LSP Parametric Equalizer x16 Stereo
# with a comparable set of active filters, at three block sizes, and prints both figures and
# their ratio.
#   bench/compare_lsp.sh [BUILD_DIR]     (default build/engine-native, configured natively)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build/engine-native}
lsp=/usr/lib/vst/lsp-plugins/para-equalizer-x16-stereo.so
[ -f "$lsp" ] || { echo "missing $lsp (Debian package lsp-plugins-vst)" >&2; exit 1; }
cmake --build "$build" --target qx71_plugin_bench QX71 -- -j2 >/dev/null
bench="$build/bench/qx71_plugin_bench"
qx71="$build/shell/QX71.so"

# QX71: low shelf type B (shelf, dip, main), mid bell, high shelf type B (shelf and bump),
# high-pass and low-pass at 24 dB/oct, Analog on: 8 biquads, 3 first-order shelves, noise.
qx71_setup="11=0.2857 12=0.7 14=1 7=0.5714 8=0.3 2=0.7143 3=0.8 5=1 17=0.4 19=1 16=0.6 18=1 20=1"
# LSP: high-pass and low-pass at 24 dB/oct (x2), low shelf, three bells, high shelf:
# 7 active filters, 9 second-order sections.
lsp_setup="ft_0=0.3 s_0=0.5 f_0=0.3 ft_1=0.54 s_1=0.5 f_1=0.9 ft_2=0.66 g_2=0.7 f_2=0.4 \
ft_3=0.2 g_3=0.7 f_3=0.6 ft_4=0.42 g_4=0.7 f_4=0.85 ft_5=0.2 g_5=0.3 f_5=0.5 ft_6=0.2 g_6=0.6 f_6=0.75"

printf '%-7s %14s %14s %8s\n' block "QX71 ns/frame" "LSP ns/frame" "LSP/QX71"
for block in 64 512 4096; do
    # shellcheck disable=SC2086
    ours=$("$bench" "$qx71" --block "$block" $qx71_setup | cut -d' ' -f1)
    # shellcheck disable=SC2086
    theirs=$("$bench" "$lsp" --block "$block" $lsp_setup | cut -d' ' -f1)
    printf '%-7s %14s %14s %8s\n' "$block" "$ours" "$theirs" "$(echo "$theirs $ours" | awk '{printf "%.2f", $1 / $2}')"
done
