#!/bin/sh
# A short, bounded libFuzzer run of every fuzz target over its kept corpus (fuzz/corpus/<name>).
# New inputs go to a scratch folder, so the kept corpus changes only when someone adds to it.
set -eu
build="${1:-build/fuzz}"
seconds="${BIOSUPDATE_FUZZ_SECONDS:-15}"
cd "$(dirname "$0")/.."
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for name in mode_reader revision_parser update_decision string_block; do
    mkdir -p "$scratch/$name"
    echo "fuzz: $name for ${seconds}s"
    "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 \
        "$scratch/$name" "fuzz/corpus/$name" 2>"$scratch/$name.log" || {
        tail -40 "$scratch/$name.log"
        echo "fuzz: $name FAILED"
        exit 1
    }
    grep -E "stat::number_of_executed_units|Done" "$scratch/$name.log" | tr '\n' ' '
    echo
done
