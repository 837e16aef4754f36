#!/usr/bin/env bash
# Batch throughput: `lumetra-cli batch --jobs 2` ("Sketch", JPEG out) over 100 and
# 1,000 1-megapixel JPEGs (pictures per second, CPU, peak memory), the start of an
# empty run, where the CPU of a run goes (perf, when installed), and the batch window
# against the command line on 100 12-megapixel JPEGs.
#
#   bash bench/batch_rate.sh [BIN_DIR] [RUNS]
#
# BIN_DIR defaults to build/bin, RUNS to 3; medians are reported. On a machine busy
# with other work the wall times are inflated: the load is printed with the figures.
source "$(dirname "$0")/bench_setup.sh"
mkdir -p "$work/mp1" "$work/mp12"
samples=(astronaut chelsea coffee rocket)
for s in "${samples[@]}"; do
    src=assets/samples/$s.png; [[ -f $src ]] || src=assets/samples/$s.jpg
    "$cli" render "$src" "$work/$s-1mp.jpg" --effect 0 --size 1155x866 --stretch
done
# Distinct names; the same four pictures' bytes (hard links, so the archive is small).
for i in $(seq -w 1 1000); do ln "$work/${samples[$((10#$i % 4))]}-1mp.jpg" "$work/mp1/p$i.jpg"; done
find "$work/mp1" -name '*.jpg' > "$work/mp1.list"
"$cli" render assets/samples/chelsea.png "$work/12mp.jpg" --effect 0 --size 4000x3000 --stretch
for i in $(seq -w 1 100); do ln "$work/12mp.jpg" "$work/mp12/p$i.jpg"; done

# measure NAME FILES COMMAND...: RUNS runs under /usr/bin/time; prints the medians and
# the largest peak memory, and leaves the median wall time in $wall.
measure() {
    local name=$1 files=$2; shift 2
    local walls=() cpus=() peak=0 kb
    for ((r = 0; r < runs; r++)); do
        rm -rf "$work/out"
        /usr/bin/time -f '%e %U %S %M' -o "$work/time.txt" "$@" > /dev/null 2> "$work/stderr.txt" ||
            { echo "$name failed:" >&2; tail "$work/stderr.txt" >&2; exit 1; }
        read -r w u s kb < "$work/time.txt"
        walls+=("$w")
        cpus+=("$(awk -v u="$u" -v s="$s" 'BEGIN {print u + s}')")
        (( kb > peak )) && peak=$kb
    done
    wall=$(printf '%s\n' "${walls[@]}" | median)
    local cpu
    cpu=$(printf '%s\n' "${cpus[@]}" | median)
    if (( files > 0 )); then
        printf '%-34s wall %6.2f s  cpu %6.2f s  %6.1f pictures/s  %5.1f ms cpu/picture  peak %4d MB\n' "$name" \
            "$wall" "$cpu" "$(awk -v n="$files" -v w="$wall" 'BEGIN {print n / w}')" \
            "$(awk -v n="$files" -v c="$cpu" 'BEGIN {print c * 1000 / n}')" $((peak / 1024))
    else
        printf '%-34s wall %6.2f s  cpu %6.2f s  peak %4d MB\n' "$name" "$wall" "$cpu" $((peak / 1024))
    fi
    peak_kb=$peak
}

echo "$runs runs each, medians; $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
measure "start of an empty run" 0 "$cli" batch --files-from /dev/null --out "$work/out"
measure "100 x 1 MP, jobs 2" 100 "$cli" batch "$work"/mp1/p00[0-9][0-9].jpg "$work/mp1/p0100.jpg" --out "$work/out" --jobs 2
peak100=$peak_kb
measure "1000 x 1 MP, jobs 2" 1000 "$cli" batch --files-from "$work/mp1.list" --out "$work/out" --jobs 2
echo "peak memory 1000 files / 100 files: $(awk -v a="$peak_kb" -v b="$peak100" 'BEGIN {printf "%.3f", a / b}')"
flushes "flushes of 1000 x 1 MP, jobs 2" "$cli" batch --files-from "$work/mp1.list" --out "$work/out" --jobs 2

if command -v perf > /dev/null && perf record -q -o "$work/perf.data" -- \
    "$cli" batch --files-from "$work/mp1.list" --out "$work/out" --jobs 2 > /dev/null 2>&1; then
    echo "where the CPU of 1000 x 1 MP goes (perf samples by library; the program's own code is the engine):"
    perf report -i "$work/perf.data" --no-children --sort dso -g none 2> /dev/null | grep -E '^ +[0-9]' | sed -n 1,8p
    echo "largest single functions:"
    perf report -i "$work/perf.data" --no-children --sort symbol -g none 2> /dev/null | grep -E '^ +[0-9]' | sed -n 1,12p
fi

measure "command line: 100 x 12 MP" 100 "$cli" batch "$work"/mp12/*.jpg --out "$work/out"
cli_wall=$wall
if [[ -x $bin/window_batch_bench ]]; then
    walls=()
    for ((r = 0; r < runs; r++)); do
        rm -rf "$work/out"; mkdir -p "$work/out"
        walls+=("$(QT_QPA_PLATFORM=offscreen "$bin/window_batch_bench" "$work/out" "$work"/mp12/*.jpg)")
    done
    window_wall=$(printf '%s\n' "${walls[@]}" | median)
    printf '%-34s wall %6.2f s  (%.0f %% of the command line)\n' "window: 100 x 12 MP" "$window_wall" \
        "$(awk -v a="$window_wall" -v b="$cli_wall" 'BEGIN {print a * 100 / b}')"
fi
