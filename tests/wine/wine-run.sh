#!/usr/bin/env bash
# Runs a Windows program under Wine, headless, in a private prefix of the kind WINEARCH names.
#   wine-run.sh [--winver VER] [--xvfb] [--unmanaged] [--cwd DIR] PROGRAM.exe [ARGS...]
# --unmanaged lets the program's windows go at once, as on a desktop, instead of waiting 2 s each for
# the window manager that Xvfb lacks.
# One prefix per Windows version, created once below $WINE_ROOT (default: build/wine).
# A crash fails the run (winedbg is disabled, so nothing waits on a crash dialog).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
winver=win7; xvfb=0; unmanaged=0; cwd=""
while [ $# -gt 0 ]; do
  case "$1" in
    --winver) winver=$2; shift 2 ;;
    --xvfb) xvfb=1; shift ;;
    --unmanaged) unmanaged=1; shift ;;
    --cwd) cwd=$2; shift 2 ;;
    *) break ;;
  esac
done
[ $# -ge 1 ] || { echo "usage: $0 [--winver VER] [--xvfb] [--cwd DIR] PROGRAM [ARGS...]" >&2; exit 2; }

. "$here/wine-env.sh"
root=${WINE_ROOT:-$(cd "$here/../.." && pwd)/build/wine}
export WINEPREFIX="$root/$winver"

# Every prefix starts as a copy of one made once per kind (wineboot takes 10 s or more, a copy well
# under one), then gets its Windows version. The copy shares the template's programs and libraries,
# which nothing writes, and copies every other file (the registry, win.ini and the like).
templates=${WINE_TEMPLATES:-$(cd "$here/../.." && pwd)/build/wine-templates}
template="$templates/$WINEARCH"
mkdir -p "$root" "$templates"
(
  flock 8
  if [ ! -f "$template/.ready" ]; then
    rm -rf "$template"
    WINEPREFIX="$template" DISPLAY= "$WINE" wineboot -u >/dev/null 2>&1 || true
    WINEPREFIX="$template" /usr/lib/wine/wineserver -w
    touch "$template/.ready"
  fi
) 8>"$templates/.lock-$WINEARCH"
(
  flock 9
  if [ ! -f "$WINEPREFIX/.ready" ]; then
    rm -rf "$WINEPREFIX"
    cp -al "$template" "$WINEPREFIX"
    find "$WINEPREFIX" -type f ! -iname '*.dll' ! -iname '*.exe' -print0 |
      while IFS= read -r -d '' f; do cp --remove-destination "$template/${f#"$WINEPREFIX"/}" "$f"; done
    rm "$WINEPREFIX/.ready"
    # HKCU\Software\Wine "Version", written straight into the registry file: no session needed.
    [ "$winver" = win7 ] || printf '\n[Software\\\\Wine] 0\n"Version"="%s"\n' "$winver" >>"$WINEPREFIX/user.reg"
    touch "$WINEPREFIX/.ready"
  fi
) 9>"$root/.lock-$winver"

prog=$1; shift
if [ "$unmanaged" = 1 ]; then
  DISPLAY= "$WINE" reg add "HKCU\\Software\\Wine\\AppDefaults\\$(basename "$prog")\\X11 Driver" /v Managed /d N /f \
    >/dev/null 2>&1
  # The session that reg started has no display; the program must start one of its own.
  /usr/lib/wine/wineserver -w
fi
[ -n "$cwd" ] && cd "$cwd"
if [ "$xvfb" = 1 ]; then
  exec xvfb-run -a -s '-screen 0 1024x768x24' "$WINE" "$prog" "$@"
fi
exec "$WINE" "$prog" "$@"
