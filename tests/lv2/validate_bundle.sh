#!/usr/bin/env bash
# lv2_validate on the bundle's Turtle files: passes only when it reports no error and no warning.
set -uo pipefail
bundle=$1
report=$(lv2_validate "$bundle"/*.ttl 2>&1)
status=$?
echo "$report" | grep -v '^Skipping'
[ $status -eq 0 ] || { echo "lv2_validate exited with $status"; exit 1; }
echo "$report" | grep -q "Found 0 errors" || { echo "lv2_validate reported errors"; exit 1; }
if echo "$report" | grep -qi "warn"; then
  echo "lv2_validate reported warnings"
  exit 1
fi
echo "lv2_validate: clean"
