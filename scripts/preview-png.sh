#!/usr/bin/env bash
# Shows in a picture what a board gets from a CD: Autorun.exe runs on a copy of the CD with the board's
# detection dump (-sim), under Wine on a screen of its own, from drive R: as from a CD drive, and the
# window is saved once it stands. Needs a Windows build (make run builds it); B names another build
# folder, W the build (by default the one this machine runs: win32, or win64 without 32-bit code).
#   preview-png.sh CD DUMP OUT.png
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 CD DUMP OUT.png" >&2; exit 2; }
top=$(cd "$(dirname "$0")/.." && pwd)
B=${B:-build}
W=${W:-$("$top/scripts/windows-test-build.sh")}
src=$(cd "$1" && pwd); dump=$(realpath "$2"); out=$(realpath -m "$3")
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/cd"
cp -r "$src/." "$scratch/cd/"
cp "$top/$B/$W/Autorun.exe" "$scratch/cd/"
cp "$dump" "$scratch/cd/preview.dmp"
export WINE_ROOT="$top/$B/$W/wine" WINEARCH=$W
winver=winxp; [ "$W" = win64 ] && winver=winxp64
run="$top/tests/wine/wine-run.sh --winver $winver --cwd $scratch/cd"
probe="$top/$B/$W/tests/probe_windows.exe"
$run cmd /c exit 0 >/dev/null 2>&1 || true  # the prefix exists from here on
WINEPREFIX="$WINE_ROOT/$winver" /usr/lib/wine/wineserver -w
ln -sfn "$scratch/cd" "$WINE_ROOT/$winver/dosdevices/r:"
xvfb-run -a -s '-screen 0 1024x768x24' bash -c "
  $run 'R:\\Autorun.exe' '-sim:R:\\preview.dmp' &
  pid=\$!
  $run '$probe' list 60 >/dev/null || { echo 'no window' >&2; kill \$pid; exit 1; }
  sleep 2  # the first painting of background, texts and buttons
  import -window root -crop 640x480+192+144 +repage '$out'
  $run '$probe' close >/dev/null || true
  wait \$pid 2>/dev/null || true
  WINEPREFIX='$WINE_ROOT/$winver' /usr/lib/wine/wineserver -w
"
rm -f "$WINE_ROOT/$winver/dosdevices/r:"
echo "$out"
