#!/usr/bin/env bash
# Checks a built plug-in's export and import tables.
#   check_exports.sh linux  LIB.so [NEW_LIBRARY... | --any-libraries]
#   check_exports.sh windows OBJDUMP LIB.dll ALLOWED_IMPORT...
# Exports must be exactly VSTPluginMain and main, at the same address; a DLL may import only
# from the listed system DLLs; a .so may need, beyond the C and C++ runtime, only the listed
# libraries.
set -euo pipefail
kind=$1
fail() { echo "FAIL: $*"; exit 1; }

if [ "$kind" = linux ]; then
  lib=$2
  symbols=$(nm -D --defined-only "$lib" | awk '{print $3}' | sort | tr '\n' ' ')
  [ "$symbols" = "VSTPluginMain main " ] || fail "exported symbols are: $symbols"
  addresses=$(nm -D --defined-only "$lib" | awk '{print $1}' | sort -u | wc -l)
  [ "$addresses" -eq 1 ] || fail "VSTPluginMain and main have different addresses"
  shift 2
  allowed=" libc.so.6 libm.so.6 libstdc++.so.6 libgcc_s.so.1 ld-linux-x86-64.so.2 $* "
  needed=$(readelf -d "$lib" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
  [ "${1:-}" = --any-libraries ] && allowed=" $(echo $needed) "  # sanitizer builds add their runtimes
  for so in $needed; do
    case "$allowed" in *" $so "*) ;; *) fail "unexpected dependency $so (allowed:$allowed)";; esac
  done
  echo "ok: $lib exports VSTPluginMain and main only; needs: $(echo $needed)"
  exit 0
fi

objdump=$2 lib=$3
shift 3
allowed=" $* "
dump=$("$objdump" -p "$lib")
# Names:     [   0] VSTPluginMain        (after the line "[Ordinal/Name Pointer] Table")
# Addresses: [   0] +base[   1] 14b0 Export RVA
exports=$(echo "$dump" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep -E '^\s*\[ *[0-9]+\] ' \
  | awk '{print $NF}' | sort | tr '\n' ' ')
[ "$exports" = "VSTPluginMain main " ] || fail "exported names are: $exports"
rvas=$(echo "$dump" | grep -E '^\s*\[ *[0-9]+\] \+base\[ *[0-9]+\] [0-9a-f]+ Export RVA' | awk '{print $(NF-2)}' | sort -u | wc -l)
[ "$rvas" -eq 1 ] || fail "expected one export address shared by both names, found $rvas"
imports=$(echo "$dump" | grep -E '^\s*DLL Name:' | awk '{print $3}' | sort -u)
for dll in $imports; do
  case "$allowed" in *" $dll "*) ;; *) fail "unexpected import $dll (allowed:$allowed)";; esac
done
echo "ok: $lib exports VSTPluginMain and main at one address; imports: $(echo $imports)"
