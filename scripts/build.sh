#!/usr/bin/env bash
# Configures and builds every target: Linux x86-64 and Windows x86/x64 (plug-ins into dist/),
# plus, with --tests, the sanitizer builds that only the test run needs.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=-j2

configure_and_build() {  # name, dist subfolder or "", extra cmake arguments...
  local name=$1 dist=$2
  shift 2
  local dist_arg=()
  [ -n "$dist" ] && dist_arg=(-DQX71_DIST_DIR="$root/dist/$dist")
  cmake -S . -B "build/$name" -G Ninja -DCMAKE_BUILD_TYPE=Release "${dist_arg[@]}" "$@" >"build/$name.configure.log" 2>&1 \
    || { cat "build/$name.configure.log"; return 1; }
  ninja -C "build/$name" $jobs >"build/$name.build.log" 2>&1 || { tail -50 "build/$name.build.log"; return 1; }
  echo "built build/$name"
}

mkdir -p build dist
configure_and_build linux linux-x86_64
configure_and_build windows-x86 windows-x86 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
configure_and_build windows-x64 windows-x64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
# The CLAP edition comes from the Linux and the Windows x64 trees, into dist/clap/<target>/.
for clap in dist/clap/linux-x86_64/QX71.clap dist/clap/windows-x64/QX71.clap; do
  [ -f "$clap" ] || { echo "the build left no $clap"; exit 1; }
done
if [ "${1:-}" = "--tests" ]; then
  configure_and_build asan "" -DCMAKE_BUILD_TYPE=Debug -DQX71_SANITIZE=ON
  configure_and_build tsan "" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQX71_TSAN=ON
fi
