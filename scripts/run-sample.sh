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
rm -rf "$cd_dir"; mkdir -p "$cd_dir"
cp -r examples/. "$cd_dir/"
cp "$B/$W/Autorun.exe" "$cd_dir/"
# Every driver folder of the sample CD gets the stand-in installer that installs what its Setup.ini names.
[ -d "$cd_dir/Drivers" ] && find "$cd_dir/Drivers" -name Setup.ini -execdir cp "$top/$B/$W/tests/sample_setup.exe" Setup.exe \;
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
xvfb-run -a -s '-screen 0 1024x768x24' bash -c "
  $run 'R:\\Autorun.exe' '${args[*]}' &
  pid=\$!
  sleep \${SAMPLE_SECONDS:-15}
  import -window root -crop 640x480+192+144 +repage '$shot'
  kill \$pid 2>/dev/null || true
  wait \$pid 2>/dev/null || true
"
echo "Screenshot of the sample CD: $shot"
