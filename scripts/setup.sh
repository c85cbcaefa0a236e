#!/usr/bin/env bash
# Installs every build and test dependency from the distribution's packages.
# Safe to run again: only missing packages are installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  clang llvm libclang-rt-14-dev          # fuzzing (libFuzzer) and llvm-windres
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libpcre2-dev libre2-dev                # anchors of the search benchmark only
  qt6-base-dev libgl-dev libqscintilla2-qt6-dev
  fonts-liberation fonts-dejavu-core     # "Courier New" and the dialog font
  xvfb xauth                             # a display for the IDE where none exists
  openbox libxtst-dev libx11-dev libxcb1-dev  # real-input tests: window manager, XTest
  libx86emu-dev nasm                     # the simulated boards' CPU and their test programs
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
