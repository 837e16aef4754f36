#!/usr/bin/env bash
# One share of an archive per task of a Slurm job array. Submit with
#
#   sbatch --array=0-31 examples/slurm-array.sh
#
# Every task reads the same list (made once, for example with
# `find /archive/photos -type f -print0 > /archive/list.nul`) and writes into the same
# output folder; task K converts the inputs at positions K, K+N, ... of the sorted list.
# A task that fails or is pre-empted is simply submitted again: --skip-existing leaves
# out what it already wrote. Settings: LUMETRA_LIST, LUMETRA_OUT, LUMETRA_REPORTS and
# LUMETRA_OPTIONS (more `lumetra-cli batch` options, such as --effect or --format).
#SBATCH --job-name=lumetra
#SBATCH --cpus-per-task=2
#SBATCH --output=lumetra-%A_%a.log
set -euo pipefail
list=${LUMETRA_LIST:-/archive/list.nul}
out=${LUMETRA_OUT:-/archive/drawings}
reports=${LUMETRA_REPORTS:-/archive/reports}
k=$SLURM_ARRAY_TASK_ID
n=$SLURM_ARRAY_TASK_COUNT
mkdir -p "$reports"
# shellcheck disable=SC2086 # LUMETRA_OPTIONS holds several words
exec lumetra-cli batch --files-from "$list" --null --out "$out" --shard "$k/$n" --skip-existing \
    --jobs "${SLURM_CPUS_PER_TASK:-2}" --report "$reports/$k.jsonl" ${LUMETRA_OPTIONS:-}
