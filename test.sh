#!/usr/bin/env bash
# Installs what is missing, builds every target and runs every test suite: native, native under
# AddressSanitizer + UndefinedBehaviorSanitizer, the thread stress tests under ThreadSanitizer,
# and the Windows builds under Wine — x64 with Wine's 64-bit loader, x86 natively or under
# user-mode emulation (scripts/windows_test_paths.sh; QX71_X86_PATH forces a path).
# Ends with "N passed, N failed, N skipped", counting test cases; exits 0 only when none failed.
set -uo pipefail
cd "$(dirname "$0")"
export WINEDEBUG=-all
export WINEPREFIX="$PWD/build/wineprefix"
source scripts/windows_test_paths.sh

scripts/install-deps.sh || { echo "0 passed, 1 failed"; exit 1; }
scripts/build.sh --tests || { echo "0 passed, 1 failed"; exit 1; }

trap stop_i386_emulation EXIT
choose_windows_test_paths

# Create the Wine prefix once, before tests run in parallel. A prefix made by the 64-bit loader
# serves 32-bit programs too.
if [ "$X64_PATH" != skipped ] || [ "$X86_PATH" != skipped ]; then
  loader=$WINE64_LOADER
  [ "$X64_PATH" = skipped ] && loader=$WINE32_LOADER
  "$loader" wineboot --init >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
fi

passed=0
failed=0
skipped=0
add_counts() {  # "PASSED FAILED SKIPPED"
  local p f s
  read -r p f s <<<"$1"
  passed=$((passed + p))
  failed=$((failed + f))
  skipped=$((skipped + s))
  echo "    $p passed, $f failed, $s skipped"
}

run_suite() {  # label, build folder, extra ctest arguments...
  local label=$1 dir=$2
  shift 2
  local log="build/$label.ctest.log" junit="$PWD/build/$label.junit.xml" start=$SECONDS report
  echo "=== $label"
  rm -rf "$dir/gtest-results" "$junit"
  ctest --test-dir "$dir" --output-on-failure -j2 --output-junit "$junit" "$@" >"$log" 2>&1
  grep -E "\*\*\*Failed|\*\*\*Exception|\*\*\*Timeout" "$log" | tail -20
  if [ -s "$junit" ] && report=$(python3 scripts/count_test_results.py "$dir" --junit "$junit"); then
    sed '$d' <<<"$report"
    add_counts "$(tail -1 <<<"$report")"
  else
    tail -30 "$log"
    add_counts "0 1 0"
  fi
  echo "    $((SECONDS - start)) s (log: $log)"
}

skip_suite() {  # label, build folder, why, build folder of the same programs for counting
  local label=$1 dir=$2 why=$3 other=$4 counts
  echo "=== $label: skipped — $why"
  counts=$(python3 scripts/count_test_results.py "$dir" --skipped --cases-from "$other" | tail -1)
  add_counts "$counts"
}

run_suite native build/linux
run_suite asan-ubsan build/asan
run_suite tsan build/tsan -L threads
if [ "$X64_PATH" = skipped ]; then
  skip_suite wine-x64 build/windows-x64 "$X64_REASON" build/windows-x86
else
  run_suite wine-x64 build/windows-x64
fi
if [ "$X86_PATH" = skipped ]; then
  skip_suite wine-x86 build/windows-x86 "$X86_REASON" build/windows-x64
else
  echo "(x86 programs run $X86_PATH: $X86_REASON)"
  run_suite wine-x86 build/windows-x86
fi

[ "$X64_PATH" = skipped ] && echo "Skipped: the Windows x64 tests — $X64_REASON"
[ "$X86_PATH" = skipped ] && echo "Skipped: the Windows x86 tests — $X86_REASON"
echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
