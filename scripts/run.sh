#!/usr/bin/env bash
# Installs what is missing, builds the IDE and starts it; without a display
# it says so and runs the IDE on a virtual X server (Xvfb) of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build/release -DCMAKE_BUILD_TYPE=Release
# Where the program keeps its settings: $MIRT_CONFIG_DIR, else ~/.config/mirt2.
home=${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}
echo "mirt2 keeps its settings in ${MIRT_CONFIG_DIR:-$home/.config/mirt2}"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/release/bin/mirt2 "$@"
fi
echo "No display: mirt2 runs unseen on a virtual X server (Xvfb) until it ends or Ctrl+C stops it."
number=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$number" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null; rm -f "$number"' EXIT
# The server writes its display number once it takes connections.
for _ in $(seq 100); do
  if [ -s "$number" ] || ! kill -0 "$server" 2>/dev/null; then break; fi
  sleep 0.1
done
[ -s "$number" ] || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(cat "$number")" build/release/bin/mirt2 "$@"
