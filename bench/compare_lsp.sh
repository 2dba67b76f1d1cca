#!/bin/sh
# Runs the same harness measurement (ns per stereo frame, single-precision callback, -2 dBFS
# sine pair, 48 kHz) on QX71 with its full chain and on LSP Parametric Equalizer x16 Stereo
# with a comparable set of active filters, at three block sizes, and prints both figures and
# their ratio.
#   bench/compare_lsp.sh [BUILD_DIR]     (default build/engine-native, configured natively)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build/engine-native}
. bench/settings.sh
[ -f "$lsp" ] || { echo "missing $lsp (Debian package lsp-plugins-vst)" >&2; exit 1; }
cmake --build "$build" --target qx71_plugin_bench QX71 -- -j2 >/dev/null
bench="$build/bench/qx71_plugin_bench"
qx71="$build/shell/QX71.so"

printf '%-7s %14s %14s %8s\n' block "QX71 ns/frame" "LSP ns/frame" "LSP/QX71"
for block in 64 512 4096; do
    # shellcheck disable=SC2086
    ours=$("$bench" "$qx71" --block "$block" $qx71_full_chain | cut -d' ' -f1)
    # shellcheck disable=SC2086
    theirs=$("$bench" "$lsp" --block "$block" $lsp_seven_filters | cut -d' ' -f1)
    printf '%-7s %14s %14s %8s\n' "$block" "$ours" "$theirs" "$(echo "$theirs $ours" | awk '{printf "%.2f", $1 / $2}')"
done
