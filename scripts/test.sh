#!/usr/bin/env bash
# Builds and runs every test: the full build under ctest (window tests on the
# offscreen platform), then the engine, file-layer and command-line tests again
# built with AddressSanitizer and UndefinedBehaviorSanitizer, and the engine tests
# (threads in every step, the two-thread diffusion, the shared plane store) built with
# ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMETRA_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLUMETRA_SANITIZE=ON -DLUMETRA_GUI=OFF -DLUMETRA_WERROR=ON
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

# ThreadSanitizer with clang: clang's OpenMP runtime comes with Archer, which tells the
# sanitizer how the runtime's own barriers and locks order the threads, and with
# ignore_noninstrumented_modules the runtime's uninstrumented insides are not reported.
# GCC's OpenMP runtime has no such tool: every parallel loop would be reported as a race.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DLUMETRA_SANITIZE_THREAD=ON -DLUMETRA_GUI=OFF -DLUMETRA_WERROR=ON
cmake --build build-tsan -j "$jobs" --target engine_tests
TSAN_OPTIONS="ignore_noninstrumented_modules=1 halt_on_error=1" \
  ctest --test-dir build-tsan --output-on-failure -j "$jobs" -L engine
