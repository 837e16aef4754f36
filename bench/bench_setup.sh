# Sourced by the whole-run benchmarks with their arguments: [BIN_DIR] [RUNS].
# Leaves the repository as the current folder and sets bin, runs, cli and work (a
# temporary folder removed on exit); median reads numbers, one a line.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bin=$(realpath "${1:-build/bin}")
runs=${2:-3}
cli="$bin/lumetra-cli"
[[ -x $cli ]] || { echo "no lumetra-cli in $bin (build first)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# flushes NAME COMMAND...: when strace is installed, counts the disk flushes and renames
# the command makes (the same on a busy machine as on a quiet one).
flushes() {
    command -v strace > /dev/null || return 0
    local name=$1; shift
    rm -rf "$work/out"
    strace -f -qq -c -U calls,name -e trace=fsync,fdatasync,syncfs,rename -o "$work/strace.txt" "$@" > /dev/null 2>&1
    printf '%-34s %s\n' "$name" "$(awk '$2 ~ /^(fsync|fdatasync|syncfs|rename)$/ {printf "%s %s  ", $2, $1}' "$work/strace.txt")"
}
