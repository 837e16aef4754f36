#!/usr/bin/env bash
# The contract of `lumetra-cli batch --shard` on one machine: four shards running at
# once over one list and one output folder write the same files, byte for byte, as a
# single process, and convert each input once (by their reports); a shard killed midway
# and started again with --skip-existing still does.
#
#   bash bench/shard_proof.sh [PATH/TO/lumetra-cli] [SIDE]
#
# The archive is 240 pictures (the gallery of each sample photo at three sizes, SIDE
# pixels wide and smaller; default 160), in twelve folders that all use the same twenty
# names, so most outputs need a "name (2)" of their own and every shard must agree on it.
set -euo pipefail
cd "$(dirname "$0")/.."
cli=$(realpath "${1:-build/bin/lumetra-cli}")
side=${2:-160}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

for sample in astronaut chelsea coffee rocket; do
    source=assets/samples/$sample.png
    [[ -f $source ]] || source=assets/samples/$sample.jpg
    for scale in 4 3 2; do
        "$cli" gallery "$source" "$work/photos/$sample-$scale" --size "$((side * scale / 4))x$((side * scale / 4))" \
            --format png 2> /dev/null
    done
done
find "$work/photos" -type f -print0 > "$work/list.nul"
count=$(tr -cd '\0' < "$work/list.nul" | wc -c)
batch=("$cli" batch --files-from "$work/list.nul" --null --effect 2 --jobs 1)
# A simple command, so that $! of a background run is lumetra-cli itself.
run() { "${batch[@]}" "$@" 2> /dev/null; }

run --out "$work/single" --report "$work/single.jsonl"
[[ $(find "$work/single" -type f | wc -l) == "$count" ]] || fail "the single run did not write $count files"

# reported_once DIR: every input has one "ok" line in DIR's reports, or one "ok" and
# "skipped" lines after a restart; none has two "ok" lines.
reported_once() {
    local inputs twice
    inputs=$(cat "$1"/*.jsonl | grep -E '"status":"(ok|skipped)"' | sed 's/.*"input":"\([^"]*\)".*/\1/' | sort -u | wc -l)
    twice=$(cat "$1"/*.jsonl | grep '"status":"ok"' | sed 's/.*"input":"\([^"]*\)".*/\1/' | sort | uniq -d | wc -l)
    [[ $inputs == "$count" ]] || fail "$1: $inputs of $count inputs reported"
    [[ $twice == 0 ]] || fail "$1: $twice inputs converted twice"
}

# Four shards at once.
mkdir -p "$work/reports"
for k in 0 1 2 3; do
    run --out "$work/sharded" --shard "$k/4" --report "$work/reports/$k.jsonl" &
done
wait
diff -r "$work/single" "$work/sharded" > /dev/null || fail "four shards differ from one process"
reported_once "$work/reports"
echo "four shards: $count files, the same bytes as one process, each converted once"

# Again, with shard 2 killed once it has written a few files, then started again.
mkdir -p "$work/resumed-reports"
for k in 0 1 3; do
    run --out "$work/resumed" --shard "$k/4" --report "$work/resumed-reports/$k.jsonl" &
done
"${batch[@]}" --out "$work/resumed" --shard 2/4 --report "$work/resumed-reports/2.jsonl" 2> /dev/null &
victim=$!
# Watched with shell built-ins only, so the kill comes within a file or two.
lines=()
while (( ${#lines[@]} < 2 )) && kill -0 "$victim" 2> /dev/null; do
    [[ -f $work/resumed-reports/2.jsonl ]] && mapfile -t lines < "$work/resumed-reports/2.jsonl"
done
kill -KILL "$victim" 2> /dev/null || true
wait
before=$(wc -l < "$work/resumed-reports/2.jsonl")
run --out "$work/resumed" --shard 2/4 --skip-existing --report "$work/resumed-reports/2.jsonl"
# A shard killed while writing may leave its temporary file (the final name plus a
# random suffix) beside the outputs; it never leaves a half-written output.
find "$work/resumed" -type f -regex '.*\.jpg\.[A-Za-z0-9]+$' -delete
diff -r "$work/single" "$work/resumed" > /dev/null || fail "the resumed run differs from one process"
reported_once "$work/resumed-reports"
(( before < count / 4 )) || echo "note: shard 2 had finished before it could be killed" >&2
echo "killed after $before of $((count / 4)) files and resumed: the same bytes, each file converted once"
