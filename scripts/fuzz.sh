#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer (in build-fuzz/), writes their seed inputs and runs each
# target for a while with a fixed seed (1 unless given). A finding stops the run and is saved in
# build-fuzz/findings/<target>/; copy it to tests/hostile/regressions/ under a name that
# says its target (see the README), and the tests replay it.
#
#   bash scripts/fuzz.sh [SECONDS_PER_TARGET [SEED]]     (defaults 60 and 1)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
seconds=${1:-60}
seed=${2:-1}
case "$seconds$seed" in *[!0-9]*) echo "usage: bash scripts/fuzz.sh [SECONDS [SEED]] (whole numbers)" >&2; exit 2 ;; esac
build=build-fuzz

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DLUMETRA_FUZZ=ON -DLUMETRA_GUI=OFF -DLUMETRA_TESTS=OFF -DLUMETRA_BENCH=OFF
cmake --build "$build" -j "$(nproc)" --target picture_reader_fuzzer heif_decoder_fuzzer jxl_decoder_fuzzer command_line_fuzzer gallery_fuzzer \
  make_fuzz_seeds

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# One engine thread: tiny pictures gain nothing from threads, and the bytes are the same.
export OMP_NUM_THREADS=1
# The decoders' complaints about damaged files are expected by the thousand.
export QT_LOGGING_RULES="qt.gui.imageio*=false;qt.gui.icc=false"
seeds="$build/seeds"
rm -rf "$seeds"
"$build/bin/make_fuzz_seeds" assets/samples "$seeds"

status=0
for target in picture_reader heif_decoder jxl_decoder command_line gallery; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  echo "== ${target}_fuzzer for ${seconds} s"
  # Leaks are not checked: Qt keeps its plugins and caches until the process ends.
  "$build/bin/${target}_fuzzer" -seed="$seed" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
    -max_len=65536 -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "$seeds/$target" || status=1
done
exit $status
