#!/usr/bin/env bash
# A real restart under Wine: a program records a RunOnce command whose program lies in a folder with
# a blank, restarts Windows, and the restarted session runs that command once.
#   restart_runonce.sh WINDOWS_BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1
# A restart ends every program of its prefix: this test has a prefix of its own.
export WINE_ROOT="$build/wine-restart"
. "$here/prefix.sh"
cd_dir="$prefix/drive_c/Driver CD"
mkdir -p "$cd_dir"
cp "$build/tests/process_child.exe" "$cd_dir/setup.exe"
rm -f "$prefix/drive_c/resumed.txt"

line='"C:\Driver CD\setup.exe" mark C:\resumed.txt -silent:3 /Install.ini /X100'
WINEPREFIX="$prefix" timeout 120 $run "$cd_dir/setup.exe" restart "$line" || true
WINEPREFIX="$prefix" timeout 120 /usr/lib/wine/wineserver -w

got=$(cat "$prefix/drive_c/resumed.txt" 2>/dev/null || echo "(not run)")
[ "$got" = "-silent:3 /Install.ini /X100" ] || { echo "resumed with: $got"; exit 1; }
# Run once: the value is gone after the restart.
if WINEPREFIX="$prefix" "$WINE" reg query \
     'HKLM\Software\Microsoft\Windows\CurrentVersion\RunOnce' /v Autorun >/dev/null 2>&1; then
  echo "RunOnce entry still there"; exit 1
fi
echo "resumed once with: $got"
