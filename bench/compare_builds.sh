#!/bin/sh
# Runs the same harness measurement (ns per stereo frame, single-precision callback, blocks of
# 512, -2 dBFS sine pair, 48 kHz, best of the harness's timed runs) on every plug-in build there
# is: the Linux .so natively, the Windows x64 DLL under Wine's 64-bit loader and the Windows x86
# DLL under Wine's 32-bit loader (both run the DLLs' own machine code; the x86 one only where the
# processor runs 32-bit code natively: under user-mode emulation its timing means nothing). Each
# at the defaults, with one band and with the full chain, and LSP's x16 stereo equalizer with
# seven filters for comparison. The 64-bit builds are measured once per chain kernel this
# processor runs, forced through QX71_KERNEL (the 32-bit one has the SSE2 kernel only). ROUNDS
# rounds (default 3); a figure is the best of its rounds.
#   bench/compare_builds.sh [LINUX_BUILD [WIN64_BUILD [WIN32_BUILD]]]
#   (defaults build/linux, build/windows-x64, build/windows-x86, as scripts/build.sh makes them)
set -eu
cd "$(dirname "$0")/.."
. bench/settings.sh
linux=${1:-build/linux}
win64=${2:-build/windows-x64}
win32=${3:-build/windows-x86}
rounds=${ROUNDS:-3}
export WINEDEBUG=-all
export WINEPREFIX="${WINEPREFIX:-$PWD/build/wineprefix}"

# best COMMAND...: the smallest figure of $rounds runs.
best() {
    i=0
    result=""
    while [ "$i" -lt "$rounds" ]; do
        figure=$("$@" | cut -d' ' -f1)
        result=$(printf '%s\n%s\n' "$result" "$figure" | awk 'NF {if (m == "" || $1 < m) m = $1} END {print m}')
        i=$((i + 1))
    done
    echo "$result"
}

# row LABEL RUNNER... : the three settings through one harness and plug-in.
row() {
    label=$1
    shift
    # shellcheck disable=SC2086
    printf '%-34s %9s %9s %9s\n' "$label" "$(best "$@")" "$(best "$@" $qx71_one_band)" "$(best "$@" $qx71_full_chain)"
}

windows_path() { echo "Z:$(realpath "$1")"; }

# The kernels this processor runs (kernel_choice.cpp needs AVX2 or AVX-512F for the wide ones).
kernels=sse2
grep -qw avx2 /proc/cpuinfo && kernels="$kernels avx2"
grep -qw avx512f /proc/cpuinfo && kernels="$kernels avx512"

printf '%-34s %9s %9s %9s   (ns per stereo frame, block 512, best of %s)\n' binary defaults "one band" "full" "$rounds"
for kernel in $kernels; do
    export QX71_KERNEL=$kernel
    if [ -f "$linux/shell/QX71.so" ]; then
        row "Linux x86-64 .so, $kernel" "$linux/bench/qx71_plugin_bench" "$linux/shell/QX71.so"
    fi
    if [ -f "$win64/shell/QX71.dll" ]; then
        row "Windows x64 DLL (wine64), $kernel" /usr/lib/wine/wine64 "$win64/bench/qx71_plugin_bench.exe" \
            "$(windows_path "$win64/shell/QX71.dll")"
    fi
done
unset QX71_KERNEL
if [ -f "$win32/shell/QX71.dll" ]; then
    if [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] || ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
        echo "Windows x86 DLL: not measured, this machine does not run 32-bit code natively"
    else
        row "Windows x86 DLL (wine, 32-bit)" /usr/lib/wine/wine "$win32/bench/qx71_plugin_bench.exe" \
            "$(windows_path "$win32/shell/QX71.dll")"
    fi
fi
if [ -f "$lsp" ] && [ -x "$linux/bench/qx71_plugin_bench" ]; then
    # shellcheck disable=SC2086
    printf '%-34s %9s %9s %9s\n' "LSP x16 stereo, 7 filters (.so)" "" "" "$(best "$linux/bench/qx71_plugin_bench" "$lsp" $lsp_seven_filters)"
else
    echo "LSP: not measured (needs $lsp, Debian package lsp-plugins-vst, and the Linux build)"
fi
