#!/usr/bin/env bash
# Runs the cluster recipes of examples/ on this machine, with the scheduler's share
# numbers set by hand, and checks that their shares together convert every picture of
# a small archive once, into the same files as one lumetra-cli run.
#
#   bash tests/examples_test.sh PATH/TO/lumetra-cli
set -euo pipefail
cd "$(dirname "$0")/.."
cli=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin"
ln -s "$cli" "$work/bin/lumetra-cli"
export PATH="$work/bin:$PATH"

# A small archive: two folders with pictures of the same names.
for sample in chelsea coffee; do
    lumetra-cli gallery "assets/samples/$sample.png" "$work/photos/$sample" --size 40x30 --format jpg 2> /dev/null
done
find "$work/photos" -type f -name '0[1-5]*' -print0 > "$work/list.nul"
lumetra-cli batch --files-from "$work/list.nul" --null --out "$work/single" --effect 3 2> /dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }

# check NAME: the recipe's outputs equal the single run's, each input reported once.
check() {
    diff -r "$work/single" "$work/$1/out" > /dev/null || fail "$1: outputs differ from one run"
    local ok
    ok=$(cat "$work/$1"/reports/*.jsonl | grep -c '"status":"ok"')
    [[ $ok == 10 ]] || fail "$1: $ok files converted, 10 expected"
    echo "$1: ok"
}

export LUMETRA_LIST="$work/list.nul" LUMETRA_OPTIONS="--effect 3"

# Slurm: sbatch --array=0-2 runs the script with these two set.
export LUMETRA_OUT="$work/slurm/out" LUMETRA_REPORTS="$work/slurm/reports"
for k in 0 1 2; do
    SLURM_ARRAY_TASK_ID=$k SLURM_ARRAY_TASK_COUNT=3 bash examples/slurm-array.sh 2> /dev/null
done
check slurm

# Kubernetes: the container's script, with the index the Job gives each pod.
export LUMETRA_OUT="$work/k8s/out" LUMETRA_REPORTS="$work/k8s/reports" LUMETRA_SHARDS=4
sed -n '/# recipe begins/,/# recipe ends/p' examples/kubernetes-indexed-job.yaml | sed 's/^ *//' > "$work/k8s.sh"
grep -q 'lumetra-cli batch' "$work/k8s.sh" || fail "no recipe found in the Kubernetes example"
for k in 0 1 2 3; do
    JOB_COMPLETION_INDEX=$k sh "$work/k8s.sh" 2> /dev/null
done
check k8s

# GNU parallel, with this machine as the only host, when it is installed.
if command -v parallel > /dev/null; then
    echo ":" > "$work/hosts.txt"
    LUMETRA_OUT="$work/parallel/out" LUMETRA_REPORTS="$work/parallel/reports" LUMETRA_HOSTS="$work/hosts.txt" \
        bash examples/parallel-ssh.sh 2> /dev/null
    check parallel
fi
echo "examples: all recipes convert the archive once"
