#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the format check, the
# normal build, the sanitizer build (clang, from a copy of the tree in a folder
# whose path has spaces and non-ASCII letters; it also builds the fuzz targets)
# and short fuzz runs. Tests run with
# their own HOME and TMPDIR, so the machine's state does not matter (TMPDIR
# outside the tree and without blanks: make and installation files can not
# name such paths).
# FUZZ_BUDGET: seconds of fuzzing in all (default 240), shared by the targets
# and run across the cores.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)
start=$SECONDS

step() {
  local name=$1 t0=$SECONDS
  shift
  echo "== $name"
  "$@"
  echo "== $name: $((SECONDS - t0)) s"
}

step "setup" scripts/setup.sh

# The tests' HOME and the sanitizer build go under build/ci, in awkward folder names.
ci="$root/build/ci"
awkward="$ci/a b/ä"
export HOME="$ci/home ü"
rm -rf "$HOME"
mkdir -p "$HOME"
TMPDIR=$(mktemp -d /tmp/mirt-ci.XXXXXX)
export TMPDIR
trap 'rm -rf "$TMPDIR"' EXIT
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
# Sanitizer options are split at blanks: the suppressions go where the path has none.
cp tests/lsan.supp "$TMPDIR/lsan.supp"
export LSAN_OPTIONS="suppressions=$TMPDIR/lsan.supp"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# A copy of the working tree (tracked and new files) in the awkward folder.
copy_tree() {
  mkdir -p "$awkward"
  find "$awkward" -mindepth 1 -maxdepth 1 ! -name build -exec rm -rf {} +
  git ls-files -z -co --exclude-standard | tar -cf - --null -T - | tar -xf - -C "$awkward"
}

step "format check" scripts/check-format.sh

# The release build makes the program, its libraries and the benchmarks; the
# tests run once, in the sanitizer build, which checks more.
step "build (release, without tests)" scripts/build.sh build/release -DCMAKE_BUILD_TYPE=Release -DMIRT_TESTS=OFF

# One clang build serves the sanitizer suite and the fuzz targets. Each test
# program runs its tests in one process, the programs in a random order (a process per
# test costs more than most tests).
step "copy the tree to '$awkward'" copy_tree
san="$awkward/build/sanitize"
step "build (address and undefined-behaviour sanitizers, fuzz targets)" \
  env CC=clang CXX=clang++ "$awkward/scripts/build.sh" "$san" -DCMAKE_BUILD_TYPE=Debug -DMIRT_FUZZ=ON \
  -DMIRT_BENCH=OFF -DMIRT_TEST_PER_PROGRAM=ON "-DCMAKE_CXX_FLAGS=-O1 -g1" "-DCMAKE_C_FLAGS=-O1 -g1"
step "test (sanitizers, random order)" \
  ctest --test-dir "$san" -j "$jobs" --schedule-random --output-on-failure
step "fuzz" scripts/fuzz.sh "$san/fuzzers" "${FUZZ_BUDGET:-240}"

echo "== all steps: $((SECONDS - start)) s"
