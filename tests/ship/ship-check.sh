#!/usr/bin/env bash
# The ship check (make ship-check): runs the shipped Autorun.exe under 32-bit Wine, natively where
# the kernel runs 32-bit code, else under qemu's user-mode emulator; see tests/ship/ship_check.py.
#   ship-check.sh WIN32_BUILD_DIR [CHECK...]
# The 32-bit prefix is made once per machine in SHIP_CACHE (default /var/cache/autorun-ship for
# root, else ~/.cache/autorun-ship), outside the clone, so that fresh clones reuse it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1; shift
if [ "$(id -u)" = 0 ]; then cache=/var/cache/autorun-ship; else cache=${XDG_CACHE_HOME:-$HOME/.cache}/autorun-ship; fi
cache=${SHIP_CACHE:-$cache}
# The FTP servers run outside the namespace, where their users exist.
exec "$here/../wine/with-ftp.sh" "$here/emulated.sh" xvfb-run -a -s '-screen 0 1024x768x24' /usr/bin/python3 "$here/ship_check.py" \
  "$build" "$cache" "$@"
