#!/usr/bin/env bash
# Installs what is missing, builds the IDE and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build/release -DCMAKE_BUILD_TYPE=Release
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a build/release/bin/mirt2 "$@"
fi
exec build/release/bin/mirt2 "$@"
