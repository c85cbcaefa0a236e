#!/usr/bin/env bash
# check-format.sh [--fix]: every C and C++ source must match .clang-format;
# lists the files that do not (or reformats them with --fix). Data files
# (project templates, test inputs, fuzz seeds) keep their own layout.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -d '' files < <(git ls-files -z -co --exclude-standard -- '*.cpp' '*.h' '*.c' '*.hpp' '*.cc' \
  ':!data/**' ':!tests/data/**' ':!tests/fuzz/corpus/**')
if [ "${1:-}" = "--fix" ]; then
  printf '%s\0' "${files[@]}" | xargs -0 -P "$(nproc)" -n 50 clang-format -i
  exit 0
fi
bad=$(printf '%s\0' "${files[@]}" | xargs -0 -P "$(nproc)" -n 50 clang-format --dry-run 2>&1 |
  sed -n 's/^\(.*\):[0-9]*:[0-9]*: warning: code should be clang-formatted.*/\1/p' | sort -u)
if [ -n "$bad" ]; then
  echo "not formatted (run scripts/check-format.sh --fix):"
  echo "$bad"
  exit 1
fi
echo "${#files[@]} files formatted"
