#!/usr/bin/env bash
# Checks that two builds of the Linux plug-in sound the same: renders a set of settings through
# each build's QX71.so with its own qx71-render, once per chain kernel (QX71_KERNEL), in single
# and double precision and at two block sizes, and compares the samples byte for byte.
#   scripts/compare_renders.sh OLD_BUILD NEW_BUILD     (e.g. a worktree's build/linux, build/linux)
# Analog stays off: its noise is seeded from the clock when a plug-in instance starts, so two
# renders with it on differ in any build. The WAV header is skipped: it carries a time stamp.
set -uo pipefail
old=$1
new=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

settings=(
  "2=0.57 3=0.75 5=1 7=0.5 8=0.3 11=0.4 12=0.7 14=1 16=0.6 17=0.3 18=1 19=1"
  "2=0.57 3=0.2 6=1 7=0.8 8=0.9 10=1 11=0.6 12=0.1 15=1 16=0.45 17=0.5 18=0.34 19=0.67"
  "16=0.6 17=0.3 18=0 19=0.67 0=0.8 1=1"
  "16=0.7 17=0.2 18=0.67 19=0 23=1"
  "11=0.3 12=0.9 14=0 7=0.3 2=0.9 3=0.1 21=1 25=1"
  "7=0.5 8=0.7"
  ""
  "1=1 0=0.2"
)
data_offset=88  # RIFF, fmt, fact and PEAK chunks, then the data chunk's header

# render BUILD KERNEL OUT ARGS...
render() {
  local build=$1 kernel=$2 out=$3
  shift 3
  QX71_KERNEL=$kernel "$build/host/render/qx71-render" --plugin "$build/shell/QX71.so" "$@" --out "$out" \
    >/dev/null 2>"$tmp/errors" || { cat "$tmp/errors"; return 1; }
}

compared=0
differing=0
for kernel in sse2 avx2 avx512; do
  for precision in single double; do
    for block in 512 37; do
      for i in "${!settings[@]}"; do
        args=(--signal noise --seconds 0.5 --block "$block")
        [ "$precision" = double ] && args+=(--double)
        for assignment in ${settings[$i]}; do args+=(--set "$assignment"); done
        render "$old" "$kernel" "$tmp/old.wav" "${args[@]}" && render "$new" "$kernel" "$tmp/new.wav" "${args[@]}" || exit 1
        compared=$((compared + 1))
        if ! cmp -s -i "$data_offset" "$tmp/old.wav" "$tmp/new.wav"; then
          echo "differ: kernel $kernel, $precision precision, block $block, settings ${settings[$i]:-(defaults)}"
          differing=$((differing + 1))
        fi
      done
    done
  done
done
echo "$compared renders compared, $differing differ"
[ "$differing" -eq 0 ]
