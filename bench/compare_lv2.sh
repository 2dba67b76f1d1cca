#!/bin/sh
# lv2bench (Debian lilv-utils) on the QX71 LV2 bundle and on LSP Parametric Equalizer x16 Stereo
# LV2 (Debian lsp-plugins-lv2). lv2bench runs a plug-in at its control ports' defaults, so the
# script makes bench copies of both bundles whose defaults are the settings to compare (the filter
# sets of compare_lsp.sh, in real units), and runs each nine times per block size, keeping the
# fastest. lv2bench reports wall-clock time, which other processes on the machine inflate, so the
# same settings also go through qx71_lv2_host_bench (processor time of run() alone, best of five
# half-second runs, a -2 dBFS sine pair). Prints ns per stereo frame and the ratios.
#   bench/compare_lv2.sh [BUILD_DIR]     (default build/linux)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build/linux}
cmake --build "$build" --target qx71_lv2_bundle qx71_lv2_host_bench -- -j2 >/dev/null
qx71_bundle="$build/lv2-bundles/qx71.lv2"
host_bench="$build/bench/qx71_lv2_host_bench"
lsp_bundle=/usr/lib/lv2/lsp-plugins.lv2
lsp_ttl=para_equalizer_x16_stereo.ttl
[ -f "$qx71_bundle/qx71.ttl" ] || { echo "missing $qx71_bundle (run ./run.sh)" >&2; exit 1; }
[ -f "$lsp_bundle/$lsp_ttl" ] || { echo "missing $lsp_bundle/$lsp_ttl (Debian lsp-plugins-lv2)" >&2; exit 1; }
frames=480000

# QX71: low shelf type B at 45 Hz, mid bell at 1.6 kHz, high shelf type B at 8.2 kHz, high-pass
# 45 Hz and low-pass 10 kHz at 24 dB/oct, Analog on.
qx71_setup="lf_freq=45 lf_gain=7.2 lf_type=1 mf_freq=1600 mf_gain=-7.2 hf_freq=8200 hf_gain=10.8 hf_type=1
hi_pass=45 hi_slope=24 lo_pass=10000 lo_slope=24 analog=1"
# LSP: high-pass and low-pass (slope x2), a low shelf, three bells and a high shelf: 7 active
# filters, IIR mode (the default).
lsp_setup="ft_0=2 s_0=1 f_0=40 ft_1=4 s_1=1 f_1=12000 ft_2=5 g_2=2 f_2=100 ft_3=1 g_3=2 f_3=500
ft_4=3 g_4=2 f_4=8000 ft_5=1 g_5=0.5 f_5=1500 ft_6=1 g_6=1.5 f_6=4000"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Rewrites the lv2:default of each named port (the first default after its lv2:symbol).
with_defaults() {  # file, "symbol=value ..."
    awk -v settings="$2" '
        BEGIN { n = split(settings, pairs, /[ \n]+/); for (i = 1; i <= n; i++) { split(pairs[i], kv, "="); want[kv[1]] = kv[2] } }
        /lv2:symbol "/ { match($0, /"[^"]*"/); symbol = substr($0, RSTART + 1, RLENGTH - 2); pending = (symbol in want) ? symbol : "" }
        /lv2:default / && pending != "" { sub(/lv2:default [^ ;]+/, "lv2:default " want[pending]); pending = "" }
        { print }' "$1"
}

mkdir "$work/qx71.lv2" "$work/lsp.lv2"
cp "$qx71_bundle"/manifest.ttl "$qx71_bundle"/qx71.so "$work/qx71.lv2/"
with_defaults "$qx71_bundle/qx71.ttl" "$qx71_setup" >"$work/qx71.lv2/qx71.ttl"
for f in "$lsp_bundle"/*; do ln -s "$f" "$work/lsp.lv2/"; done
rm "$work/lsp.lv2/$lsp_ttl"
with_defaults "$lsp_bundle/$lsp_ttl" "$lsp_setup" >"$work/lsp.lv2/$lsp_ttl"
export LV2_PATH="$work"

best() {  # uri, block: the fastest of nine runs, in ns per frame
    for run in 1 2 3 4 5 6 7 8 9; do lv2bench -b "$2" -n "$frames" "$1" | awk '{ print $1 }'; done |
        sort -g | head -1 | awk -v n="$frames" '{ printf "%.1f", $1 * 1e9 / n }'
}

qx71_uri=urn:qx71:channel-eq
lsp_uri=http://lsp-plug.in/plugins/lv2/para_equalizer_x16_stereo
ratio() { echo "$1 $2" | awk '{printf "%.2f", $1 / $2}'; }
printf '%-6s | %-28s | %-28s\n' "" "lv2bench (wall clock)" "qx71_lv2_host_bench (CPU)"
printf '%-6s | %8s %8s %10s | %8s %8s %10s\n' block QX71 LSP LSP/QX71 QX71 LSP LSP/QX71
for block in 64 512 4096; do
    ours=$(best $qx71_uri "$block")
    theirs=$(best $lsp_uri "$block")
    # shellcheck disable=SC2086
    ours_cpu=$("$host_bench" $qx71_uri "$block" $qx71_setup | cut -d' ' -f1)
    # shellcheck disable=SC2086
    theirs_cpu=$("$host_bench" $lsp_uri "$block" $lsp_setup | cut -d' ' -f1)
    printf '%-6s | %8s %8s %10s | %8s %8s %10s\n' "$block" "$ours" "$theirs" "$(ratio "$theirs" "$ours")" \
        "$ours_cpu" "$theirs_cpu" "$(ratio "$theirs_cpu" "$ours_cpu")"
done
