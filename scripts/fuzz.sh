#!/usr/bin/env bash
# fuzz.sh <dir> <budget-seconds>: runs every fuzz target in <dir> on a copy of
# its seed corpus (tests/fuzz/corpus/<target>), one per core at a time; the
# budget is the wall time of the whole run, shared evenly by the targets
# (at least 5 s each).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1
budget=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Targets never touch the user's settings, and leave nothing in TMPDIR.
export HOME="$work/home" MIRT_CONFIG_DIR="$work/home/config" TMPDIR="$work/tmp"
mkdir -p "$MIRT_CONFIG_DIR" "$TMPDIR"
shopt -s nullglob
bins=("$dir"/*)
if ((${#bins[@]} == 0)); then
  echo "no fuzz targets"
  exit 0
fi
cores=$(nproc)
secs=$((budget * cores / ${#bins[@]}))
((secs >= 5)) || secs=5
echo "${#bins[@]} targets, $secs s each, $cores at a time"
run_one() {
  local bin=$1 name
  name=$(basename "$bin")
  mkdir -p "$work/$name"
  [ -d "tests/fuzz/corpus/$name" ] && cp -r "tests/fuzz/corpus/$name/." "$work/$name/"
  if "$bin" -max_total_time="$secs" -rss_limit_mb=2048 -artifact_prefix="$work/$name-" \
    "$work/$name" >"$work/$name.log" 2>&1; then
    echo "fuzz $name: ok ($(grep -c . "$work/$name.log") log lines)"
  else
    echo "fuzz $name: FAILED"
    tail -n 40 "$work/$name.log"
    return 1
  fi
}
export -f run_one
export work secs
printf '%s\n' "${bins[@]}" | xargs -P "$cores" -I{} bash -c 'run_one "$@"' _ {}
