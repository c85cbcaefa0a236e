#!/usr/bin/env bash
# Installs what is missing, builds the IDE and starts it; without a display
# it says so and runs the IDE on a virtual X server (Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build/release -DCMAKE_BUILD_TYPE=Release
# Where the program keeps its settings: $MIRT_CONFIG_DIR, else ~/.config/mirt2.
home=${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}
echo "mirt2 keeps its settings in ${MIRT_CONFIG_DIR:-$home/.config/mirt2}"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: mirt2 runs unseen on a virtual X server (Xvfb) until it ends or Ctrl+C stops it."
  exec xvfb-run -a -s "-screen 0 1280x800x24" build/release/bin/mirt2 "$@"
fi
exec build/release/bin/mirt2 "$@"
