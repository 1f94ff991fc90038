#!/usr/bin/env bash
# The sample CD, pressed as make run shows it, has nothing for the lint to say.
#   lint-sample.sh WINDOWS_BUILD_DIR AUTORUN_LINT SCRATCH_DIR
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
"$top/scripts/press-sample.sh" "$1" "$3"
out=$("$2" --werror "$3")
[ -z "$out" ] || { echo "$out"; exit 1; }
echo "the sample CD lints clean"
