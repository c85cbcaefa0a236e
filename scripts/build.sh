#!/usr/bin/env bash
# build.sh <dir> [cmake options...]: configure and build one configuration.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1; shift
cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
