#!/usr/bin/env bash
# One share of an archive per job slot of GNU parallel, on the machines listed in a
# --sshloginfile (lines such as "2/user@node1"; ":" is this machine), all of which see
# the archive at the same path:
#
#   LUMETRA_HOSTS=hosts.txt bash examples/parallel-ssh.sh
#
# A share that fails is retried (--retries) and, with --skip-existing, goes on where it
# stopped. Settings: LUMETRA_SHARDS (default 32), LUMETRA_HOSTS, LUMETRA_LIST,
# LUMETRA_OUT, LUMETRA_REPORTS and LUMETRA_OPTIONS.
set -euo pipefail
n=${LUMETRA_SHARDS:-32}
list=${LUMETRA_LIST:-/archive/list.nul}
out=${LUMETRA_OUT:-/archive/drawings}
reports=${LUMETRA_REPORTS:-/archive/reports}
mkdir -p "$reports"
seq 0 $((n - 1)) | parallel --sshloginfile "${LUMETRA_HOSTS:-hosts.txt}" --retries 3 --halt never \
    lumetra-cli batch --files-from "$list" --null --out "$out" --shard "{}/$n" --skip-existing \
    --report "$reports/{}.jsonl" "${LUMETRA_OPTIONS:-}"
