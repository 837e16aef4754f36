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
