#!/usr/bin/env bash
# Checks the built QX71.clap's export and import tables:
#   check_clap_exports.sh linux  QX71.clap [--any-libraries]
#   check_clap_exports.sh windows OBJDUMP QX71.clap
# It must export clap_entry only, and need nothing beyond the C/C++ runtime and libX11 (Linux)
# or the system DLLs of windows, drawing and OLE (Windows).
set -euo pipefail
fail() { echo "FAIL: $*"; exit 1; }

if [ "$1" = linux ]; then
  lib=$2
  exports=$(nm -D --defined-only "$lib" | awk '{print $3}' | tr '\n' ' ')
  needed=$(readelf -d "$lib" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | tr '\n' ' ')
  allowed=" libc.so.6 libm.so.6 libstdc++.so.6 libgcc_s.so.1 ld-linux-x86-64.so.2 libX11.so.6 "
  [ "${3:-}" = --any-libraries ] && allowed=" $needed "  # sanitizer builds add their runtimes
else
  objdump=$2 lib=$3
  exports=$("$objdump" -p "$lib" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^\s*\[ *[0-9]*\] \(.*\)$/\1/p' | tr '\n' ' ')
  needed=$("$objdump" -p "$lib" | sed -n 's/.*DLL Name: \(.*\)/\1/p' | tr '\n' ' ')
  allowed=" KERNEL32.dll msvcrt.dll USER32.dll GDI32.dll ole32.dll "
fi
[ "$exports" = "clap_entry " ] || fail "exports are: $exports"
for dependency in $needed; do
  case "$allowed" in *" $dependency "*) ;; *) fail "unexpected dependency $dependency" ;; esac
done
echo "ok: $lib exports clap_entry only; needs: $needed"
