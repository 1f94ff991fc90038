#!/usr/bin/env bash
# Runs one corpus of INI files through the profile engine (native probe) and through kernel32 (the
# Windows probe under Wine) and requires the same answers: first the reads, then a script of writes
# on copies of the files, then the reads again, through Wine, over both sides' written files.
# Then the program's own store under Wine (kernel32 behind the read-once cache) must answer the
# reads, the writes and the cache's own script as kernel32 alone does.
#   profile-diff.sh NATIVE_PROBE WINDOWS_PROBE CORPUS_DIR WORK_DIR
set -euo pipefail
native=$1; windows=$2; corpus=$3; work=$4
here=$(cd "$(dirname "$0")" && pwd)
winpath() { printf 'Z:%s' "${1//\//\\}"; }
# [--system] DIR SCRIPT: kernel32 alone with --system, else the program's store
wine_probe() {
  local opt=(); if [ "$1" = --system ]; then opt=(--system); shift; fi
  "$here/wine-run.sh" "$windows" "${opt[@]}" "$(winpath "$1/")" "$(winpath "$2")" | tr -d '\r'
}

rm -rf "$work"; mkdir -p "$work/native" "$work/windows" "$work/cached" "$work/system"
for d in native windows cached system; do cp "$corpus"/*.ini "$work/$d/"; done
status=0
check() { # what expected actual
  if ! diff -u "$2" "$3" > "$work/$1.diff"; then
    echo "profile answers differ ($1):"; head -40 "$work/$1.diff"; status=1
  fi
}
"$native" "$work/native/" "$corpus/reads.txt" > "$work/reads.native"
wine_probe --system "$work/windows" "$corpus/reads.txt" > "$work/reads.windows"
check reads "$work/reads.windows" "$work/reads.native"

"$native" "$work/native/" "$corpus/writes.txt" > "$work/writes.native"
wine_probe --system "$work/windows" "$corpus/writes.txt" > "$work/writes.windows"
check writes "$work/writes.windows" "$work/writes.native"

wine_probe --system "$work/native" "$corpus/reads.txt" > "$work/written.native"
wine_probe --system "$work/windows" "$corpus/reads.txt" > "$work/written.windows"
check written "$work/written.windows" "$work/written.native"

# One process each: what the cache holds from the reads must not outlive the writes.
cat "$corpus/reads.txt" "$corpus/writes.txt" "$corpus/cache.txt" "$corpus/reads.txt" > "$work/all.txt"
wine_probe "$work/cached" "$work/all.txt" > "$work/all.cached"
wine_probe --system "$work/system" "$work/all.txt" > "$work/all.system"
check cached "$work/all.system" "$work/all.cached"
exit $status
