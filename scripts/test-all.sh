#!/usr/bin/env bash
# Builds Korva and runs the whole test suite: a normal build, a build under
# AddressSanitizer + UndefinedBehaviorSanitizer, and the fuzz targets (clang)
# each run briefly over their seed inputs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
# Let ccache share results between checkouts in different directories.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVA_SANITIZE=ON -DKORVA_BENCH=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVA_FUZZ=ON
cmake --build build-fuzz -j "$jobs"
fuzzed=0
for target in build-fuzz/bin/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  name=${name#fuzz_}
  # Absolute corpus paths: some targets change their working directory.
  corpus=("$PWD/build-fuzz/corpus/$name")
  mkdir -p "${corpus[0]}"
  [ -d "fuzz/corpus/$name" ] && corpus+=("$PWD/fuzz/corpus/$name")
  echo "== fuzz $name"
  "$target" -runs=20000 -max_total_time=30 -max_len=4096 "${corpus[@]}"
  fuzzed=$((fuzzed + 1))
done
echo "fuzz: $fuzzed passed, 0 failed"
