#!/usr/bin/env bash
# The sample CD's installer really installs: the file copied, the version in the registry, and
# the lines it writes, the last one without a line end.
#   sample_setup.sh WINDOWS_BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1
export WINE_ROOT=${WINE_ROOT:-$build/wine-sample-setup}
. "$here/prefix.sh"

dir="$prefix/drive_c/Sample CD/Drivers/Audio"
rm -rf "$prefix/drive_c/Sample CD"; mkdir -p "$dir"
cp "$here/../../examples/Drivers/Audio/Setup.ini" "$dir/"
cp "$build/tests/sample_setup.exe" "$dir/Setup.exe"
out=$($run "$dir/Setup.exe" -s)
expected=$'Installing AC97 Audio 5.10.0.5730\r\nCopied C:\\windows\\VORN\\AC97 Audio.ini\r\nAC97 Audio installed'
[ "$out" = "$expected" ] || { echo "output: $out"; exit 1; }
cmp "$dir/Setup.ini" "$prefix/drive_c/windows/VORN/AC97 Audio.ini"
WINEPREFIX="$prefix" "$WINE" reg query 'HKLM\Software\VORN\Drivers' /v 'AC97 Audio' |
  grep -q '5.10.0.5730' || { echo "version not recorded"; exit 1; }
echo "installed"
