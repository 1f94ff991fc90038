#!/usr/bin/env bash
# Runs Autorun.exe on the bundled sample CD under Wine, from drive R: as from a CD drive, replaying
# the sample board's detection dump (-sim). With a display, in a window; without one, under Xvfb,
# saving a screenshot to build/sample-cd.png.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
B=${1:-build}
cd "$top"
cd_dir="$top/$B/sample-cd"
scripts/press-sample.sh "$top/$B/win64" "$cd_dir"
export WINE_ROOT="$top/$B/win64/wine"
run="tests/wine/wine-run.sh --winver winxp64 --cwd $cd_dir"
$run cmd /c exit 0 >/dev/null 2>&1 || true  # the prefix exists from here on
# A session left without a display would swallow the window: wait until it has ended.
WINEPREFIX="$WINE_ROOT/winxp64" /usr/lib/wine/wineserver -w
ln -sfn "$cd_dir" "$WINE_ROOT/winxp64/dosdevices/r:"
args=(-sim:R:\\Sample.dmp)
if [ -n "${DISPLAY:-}" ]; then
  exec $run 'R:\Autorun.exe' "${args[@]}"
fi
shot="$top/$B/sample-cd.png"
B=$B scripts/preview-png.sh "$cd_dir" "$cd_dir/Sample.dmp" "$shot" >/dev/null
echo "Screenshot of the sample CD: $shot"
