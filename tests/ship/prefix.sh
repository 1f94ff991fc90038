#!/usr/bin/env bash
# Makes a Wine prefix of the ship check once per machine, in a cache outside the clone, so that a
# fresh clone (CI) reuses it: under emulation each costs some 25 s, natively a few. Run through
# emulated.sh. Prints the prefix's folder.
#   prefix.sh CACHE_DIR win32|win64
# win32 is a 32-bit prefix; win64 a 64-bit one whose 32-bit half (syswow64, made by the 32-bit
# wineboot) lets the shipped program run under WoW64. A prefix is whole when its marker, written
# last, names this Wine and the files that every run needs are there; anything else (an interrupted
# creation, a damaged or older prefix) is made anew.
set -euo pipefail
cache=$1
arch=$2
server=${WINESERVER:-/usr/lib/wine/wineserver}
case $arch in
  win32) prefix=$cache/wine32 wine=/usr/lib/wine/wine
         needed="system32/kernel32.dll system32/user32.dll system32/services.exe" ;;
  win64) prefix=$cache/wine64 wine=/usr/lib/wine/wine64
         needed="system32/kernel32.dll system32/services.exe syswow64/kernel32.dll syswow64/user32.dll" ;;
  *) echo "prefix.sh: win32 or win64, not '$arch'" >&2; exit 2 ;;
esac
marker=$prefix/.ship-complete
want="$($wine --version) $arch"
whole() {
  [ "$(cat "$marker" 2>/dev/null)" = "$want" ] || return 1
  for f in system.reg user.reg userdef.reg $(printf 'drive_c/windows/%s ' $needed); do
    [ -s "$prefix/$f" ] || { echo "ship check: prefix damaged, $f missing: making it again" >&2; return 1; }
  done
}
mkdir -p "$cache"
exec 9>"$cache/.lock"
flock 9
if ! whole; then
  [ -e "$prefix" ] && echo "ship check: $prefix is not whole: making it again" >&2
  rm -rf "$prefix"
  start=$SECONDS
  WINEARCH=$arch WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" \
    DISPLAY= $wine wineboot -u >/dev/null 2>&1 9>&- || true
  # A service process that spins for good (seen under an older emulator) must not hold the check: a
  # creation that has not ended in 10 minutes is given up, and made anew next time.
  if ! WINEPREFIX=$prefix timeout 600 "$server" -w; then
    WINEPREFIX=$prefix "$server" -k || true
    echo "ship check: making the prefix did not end in 10 minutes; the next run makes it again" >&2
    exit 1
  fi
  echo "$want" >"$marker.tmp"
  mv "$marker.tmp" "$marker"
  whole || { echo "ship check: the new prefix in $prefix is not whole" >&2; exit 1; }
  echo "ship check: made the $arch prefix in $((SECONDS - start)) s (${SHIP_WAY:-native})" >&2
fi
echo "$prefix"
