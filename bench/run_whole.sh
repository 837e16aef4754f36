#!/usr/bin/env bash
# Whole-command timings: builds a 4000 x 3000 JPEG from a sample photo, then runs
# lumetra-cli gallery, render and a batch of twenty copies ("Sketch", --jobs 1 and 2)
# several times each and reports the median wall time, the median CPU time (user +
# system, all threads) and the largest peak memory (/usr/bin/time -v); with strace
# installed, the disk flushes and renames of a gallery and a batch.
#
#   bash bench/run_whole.sh [BIN_DIR] [RUNS]
#
# BIN_DIR defaults to build/bin, RUNS to 3. On a machine busy with other work the wall
# times are inflated; the CPU times say more there.
source "$(dirname "$0")/bench_setup.sh"
photo="$work/photo-12mp.jpg"
"$cli" render assets/samples/chelsea.png "$photo" --effect 0 --size 4000x3000 --stretch
mkdir -p "$work/batch-in"
for i in $(seq -w 1 20); do cp "$photo" "$work/batch-in/photo-$i.jpg"; done

# measure NAME COMMAND...: runs the command RUNS times under /usr/bin/time -v.
measure() {
    local name=$1; shift
    local walls=() cpus=() peak=0
    for ((r = 0; r < runs; r++)); do
        rm -rf "$work/out"
        /usr/bin/time -v -o "$work/time.txt" "$@" > /dev/null 2> "$work/stderr.txt" ||
            { echo "$name failed:" >&2; cat "$work/stderr.txt" >&2; exit 1; }
        walls+=("$(awk -F': ' '/Elapsed \(wall clock\)/ {n = split($2, t, ":"); s = 0;
                   for (i = 1; i <= n; i++) s = s * 60 + t[i]; print s}' "$work/time.txt")")
        cpus+=("$(awk -F': ' '/User time/ {u = $2} /System time/ {s = $2} END {print u + s}' "$work/time.txt")")
        local kb
        kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
        (( kb > peak )) && peak=$kb
    done
    printf '%-26s wall %7.2f s   cpu %7.2f s   peak %6d MB\n' "$name" \
        "$(printf '%s\n' "${walls[@]}" | median)" "$(printf '%s\n' "${cpus[@]}" | median)" $((peak / 1024))
}

echo "4000 x 3000 JPEG, $runs runs each, medians; $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
measure "gallery (png)" "$cli" gallery "$photo" "$work/out"
measure "gallery (jpg)" "$cli" gallery "$photo" "$work/out" --format jpg
measure "render Sketch (jpg)" "$cli" render "$photo" "$work/out.jpg" --effect 1
measure "render Pencil Sketch" "$cli" render "$photo" "$work/out.jpg" --effect 3
measure "batch 20 x Sketch, jobs 1" "$cli" batch "$work"/batch-in/*.jpg --out "$work/out" --effect 1 --jobs 1
measure "batch 20 x Sketch, jobs 2" "$cli" batch "$work"/batch-in/*.jpg --out "$work/out" --effect 1 --jobs 2
echo "disk flushes and renames (system calls, all threads):"
flushes "gallery (jpg)" "$cli" gallery "$photo" "$work/out" --format jpg
flushes "batch 20 x Sketch, jobs 2" "$cli" batch "$work"/batch-in/*.jpg --out "$work/out" --effect 1 --jobs 2
