#!/usr/bin/env bash
# Runs one libFuzzer target for a bounded time over its seed corpus (kept in the tree) plus a
# scratch corpus of new finds (not kept). A crash, leak or sanitizer report fails the test.
set -euo pipefail
fuzzer=$1; seeds=$2
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
mkdir -p "$seeds"
exec "$fuzzer" -max_total_time="${FUZZ_SECONDS:-10}" -timeout=10 -rss_limit_mb=2048 \
     -print_final_stats=1 "$scratch" "$seeds"
