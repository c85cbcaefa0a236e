#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the normal build, the
# sanitizer build and short fuzz runs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
jobs=$(nproc)

echo "== build and test (release)"
scripts/build.sh build/release -DCMAKE_BUILD_TYPE=Release
ctest --test-dir build/release -j "$jobs" --output-on-failure

echo "== build and test (address and undefined-behaviour sanitizers)"
scripts/build.sh build/asan -DCMAKE_BUILD_TYPE=Debug -DMIRT_SANITIZE=ON -DMIRT_BENCH=OFF -DCMAKE_CXX_FLAGS=-O1
ctest --test-dir build/asan -j "$jobs" --output-on-failure

echo "== fuzz runs"
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIRT_FUZZ=ON >/dev/null
cmake --build build/fuzz -j "$jobs" --target fuzzers
scripts/fuzz.sh build/fuzz/fuzzers "${FUZZ_SECONDS:-30}"
