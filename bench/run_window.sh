#!/usr/bin/env bash
# Window timings: builds a 4000 x 3000 JPEG from a sample photo, then runs window_bench
# (the main window offscreen: Generate twice, move through the gallery, Copy) several
# times, each in a fresh process, and reports the median of every figure.
#
#   bash bench/run_window.sh [BIN_DIR] [RUNS]
#
# BIN_DIR defaults to build/bin, RUNS to 5. Times are in milliseconds from the command
# to the window having painted its result; peak is the process's largest resident size
# after the two Generates; cpu is the CPU time (all threads) of the window's part of a run.
set -euo pipefail
cd "$(dirname "$0")/.."
bin=$(realpath "${1:-build/bin}")
runs=${2:-5}
[[ -x $bin/window_bench && -x $bin/lumetra-cli ]] || { echo "no window_bench/lumetra-cli in $bin (build first)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
photo="$work/photo-12mp.jpg"
"$bin/lumetra-cli" render assets/samples/chelsea.png "$photo" --effect 0 --size 4000x3000 --stretch

echo "4000 x 3000 JPEG, $runs runs, medians; $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
for ((r = 0; r < runs; r++)); do "$bin/window_bench" "$photo"; done > "$work/runs.txt"
cat "$work/runs.txt"
# Each line is "name value name value ...": the median of every named column.
read -ra names <<< "$(head -1 "$work/runs.txt")"
line="median:"
for ((i = 0; i < ${#names[@]}; i += 2)); do
    median=$(awk -v c=$((i + 2)) '{print $c}' "$work/runs.txt" | sort -n |
             awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}')
    line+=" ${names[i]} $median "
done
echo "$line"
