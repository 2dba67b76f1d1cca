#!/usr/bin/env bash
# Installs the Debian packages the build, the tools and the tests need; does nothing when
# they are all present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine32:i386 wine64
  libgtest-dev libgmock-dev libbenchmark-dev libstb-dev libsndfile1-dev
  fonts-liberation2 xvfb xdotool x11-apps x11-xserver-utils imagemagick
  libx11-dev lsp-plugins-vst python3 python3-pil libfftw3-dev python3-matplotlib
  lv2-dev liblilv-dev lilv-utils sordi lsp-plugins-lv2
  jalv jackd2  # an LV2 host for trying the LV2 UI by hand (JACK's dummy driver under Xvfb)
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
$SUDO dpkg --add-architecture i386
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
