#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the screenshot script need (Xvfb, openbox
# and xprop give the X server tests a desktop, libxcb-xtest0-dev their clicks and keys;
# poppler-utils reads back the viewer's printed pages); clang, its sanitizer and libFuzzer
# runtimes and llvm-symbolizer serve the fuzzing build.
# With "programs", only what configuring the build folder and building the two programs need.
# Idempotent: asks apt only when something is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev fonts-dejavu-core
  libgtest-dev libgmock-dev
)
if [ "${1:-}" != programs ]; then
  packages+=(
    xvfb xauth openbox x11-utils libxcb1-dev libxcb-xtest0-dev imagemagick poppler-utils
    clang libclang-rt-14-dev llvm
  )
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 update -q
"${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends "${missing[@]}"
