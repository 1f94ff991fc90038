#!/usr/bin/env bash
# Download rate of a 64 MB file from a loopback vsftpd: the program's FTP client (1024-byte blocks,
# under Wine) against curl fetching the same file from the same server in the same run.
#   scripts/ftp-benchmark.sh [build folder]      (after make test or make run)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
B=${1:-build}
W=$("$top/scripts/windows-test-build.sh")
export WINE_ROOT="$top/$B/$W/wine" WINEARCH=$W FTP_BIG=1
exec "$top/tests/wine/with-ftp.sh" bash -c '
  set -euo pipefail
  out=$(mktemp -d)
  read -r bytes ours < <("'"$top"'/tests/wine/wine-run.sh" "'"$top/$B/$W"'/tests/ftp_benchmark.exe" \
                        "$FTP_PORT" /big/64mb.bin "Z:${out//\//\\}\\ours.bin" | tr -d "\r")
  theirs=$(curl -s --ftp-port - -o "$out/curl.bin" -w "%{time_total}" "ftp://127.0.0.1:$FTP_PORT/big/64mb.bin")
  cmp -s "$out/ours.bin" "$out/curl.bin" || { echo "downloads differ" >&2; exit 1; }
  rm -rf "$out"
  awk -v b="$bytes" -v o="$ours" -v t="$theirs" "BEGIN {
    mb = b / 1048576
    printf \"Autorun (WinINet under Wine, 1024-byte blocks): %.1f MB/s (%.2f s)\n\", mb / o, o
    printf \"curl (active mode):                             %.1f MB/s (%.2f s)\n\", mb / t, t
    printf \"ratio Autorun / curl:                           %.3f\\n\", t / o }"
'
