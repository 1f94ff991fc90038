#!/usr/bin/env bash
# Makes the 32-bit Wine prefix of the ship check once per machine, in a cache outside the clone, so
# that a fresh clone (CI) reuses it: under emulation it costs some 12 minutes. Run through
# emulated.sh. Prints the prefix's folder.
#   prefix.sh CACHE_DIR
# A prefix is whole when its marker, written last, names this Wine and the files that every run
# needs are there; anything else (an interrupted creation, a damaged or older prefix) is made anew.
set -euo pipefail
cache=$1
prefix=$cache/wine32
marker=$prefix/.ship-complete
wine=/usr/lib/wine/wine
server=${WINESERVER:-/usr/lib/wine/wineserver}
want="$($wine --version) win32"
whole() {
  [ "$(cat "$marker" 2>/dev/null)" = "$want" ] || return 1
  for f in system.reg user.reg userdef.reg drive_c/windows/system32/kernel32.dll \
           drive_c/windows/system32/user32.dll drive_c/windows/system32/services.exe; do
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
  WINEARCH=win32 WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" \
    DISPLAY= $wine wineboot -u >/dev/null 2>&1 9>&- || true
  # Under the emulator a service process can spin for good (seen once: services.exe, while setup
  # waited on it): a creation that has not ended in 40 minutes is given up, and made anew next time.
  if ! WINEPREFIX=$prefix timeout 2400 "$server" -w; then
    WINEPREFIX=$prefix "$server" -k || true
    echo "ship check: making the prefix did not end in 40 minutes; the next run makes it again" >&2
    exit 1
  fi
  echo "$want" >"$marker.tmp"
  mv "$marker.tmp" "$marker"
  whole || { echo "ship check: the new prefix in $prefix is not whole" >&2; exit 1; }
  echo "ship check: made the prefix in $((SECONDS - start)) s (${SHIP_WAY:-native})" >&2
fi
echo "$prefix"
