#!/usr/bin/env bash
# Installs what is missing, builds every target and runs every test suite: native, native under
# AddressSanitizer + UndefinedBehaviorSanitizer, the thread stress test under ThreadSanitizer,
# and the Windows builds under Wine (32-bit and 64-bit). Ends with "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")"
export WINEDEBUG=-all
export WINEPREFIX="$PWD/build/wineprefix"

scripts/install-deps.sh || { echo "0 passed, 1 failed"; exit 1; }
scripts/build.sh --tests || { echo "0 passed, 1 failed"; exit 1; }

# Create the Wine prefix once, before tests run in parallel.
wineboot --init >/dev/null 2>&1
wineserver -w

passed=0
failed=0
run_suite() {  # label, build folder, extra ctest arguments...
  local label=$1 dir=$2
  shift 2
  echo "=== $label"
  local log="build/$label.ctest.log"
  ctest --test-dir "$dir" --output-on-failure -j2 "$@" >"$log" 2>&1
  grep -E "tests passed|\*\*\*Failed|\*\*\*Exception|\*\*\*Timeout|Not Run" "$log" | tail -20
  local summary total bad
  summary=$(grep -E "tests passed, [0-9]+ tests? failed out of [0-9]+" "$log" | tail -1)
  if [ -z "$summary" ]; then
    if grep -q "No tests were found" "$log"; then
      echo "no tests in $dir"
      return
    fi
    tail -30 "$log"
    failed=$((failed + 1))
    return
  fi
  bad=$(echo "$summary" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/')
  total=$(echo "$summary" | sed -E 's/.* failed out of ([0-9]+).*/\1/')
  [ "$bad" -gt 0 ] && sed -n '/The following tests FAILED/,$p' "$log"
  passed=$((passed + total - bad))
  failed=$((failed + bad))
}

run_suite native build/linux
run_suite asan-ubsan build/asan
run_suite tsan build/tsan -L threads
run_suite wine-x86 build/windows-x86
run_suite wine-x64 build/windows-x64

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
