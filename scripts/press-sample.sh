#!/usr/bin/env bash
# Presses the sample CD into a folder as it goes on a disc: examples/, Autorun.exe, and the stand-in
# installer as Setup.exe beside every Setup.ini (it installs what that Setup.ini names).
#   press-sample.sh WINDOWS_BUILD_DIR OUT_DIR
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$1; out=$2
rm -rf "$out"; mkdir -p "$out"
cp -r "$top/examples/." "$out/"
cp "$build/Autorun.exe" "$out/"
find "$out" -name Setup.ini -execdir cp "$build/tests/sample_setup.exe" Setup.exe \;
