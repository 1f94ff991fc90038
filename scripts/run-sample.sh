#!/usr/bin/env bash
# Runs Autorun.exe on the bundled sample CD under Wine, from drive R: as from a CD drive, replaying
# the sample board's detection dump (-sim). With a display, in a window; without one, under Xvfb,
# saving a screenshot to build/sample-cd.png.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
B=${1:-build}
W=${2:-win32}  # the Windows build to run: win32, or win64 where no 32-bit code runs
cd "$top"
cd_dir="$top/$B/sample-cd"
scripts/press-sample.sh "$top/$B/$W" "$cd_dir"
export WINE_ROOT="$top/$B/$W/wine"
export WINEARCH=$W
winver=winxp; [ "$W" = win64 ] && winver=winxp64
run="tests/wine/wine-run.sh --winver $winver --cwd $cd_dir"
$run cmd /c exit 0 >/dev/null 2>&1 || true  # the prefix exists from here on
# A session left without a display would swallow the window: wait until it has ended.
WINEPREFIX="$WINE_ROOT/$winver" /usr/lib/wine/wineserver -w
ln -sfn "$cd_dir" "$WINE_ROOT/$winver/dosdevices/r:"
args=(-sim:R:\\Sample.dmp)
if [ -n "${DISPLAY:-}" ]; then
  exec $run 'R:\Autorun.exe' "${args[@]}"
fi
shot="$top/$B/sample-cd.png"
B=$B W=$W scripts/preview-png.sh "$cd_dir" "$cd_dir/Sample.dmp" "$shot" >/dev/null
echo "Screenshot of the sample CD: $shot"
