#!/usr/bin/env bash
# Download rate of the program's FTP client (under Wine) against curl fetching the same file from the
# same vsftpd on 127.0.0.1 in the same run, as a ratio: a 64 MB file at loopback speed, and an 8 MB
# file from a server capped at 1 MB/s, where the line, not the client, should set the pace.
#   scripts/ftp-benchmark.sh [build folder]      (after make test or make run)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
B=${1:-build}
W=$("$top/scripts/windows-test-build.sh")
export WINE_ROOT="$top/$B/$W/wine" WINEARCH=$W FTP_BIG=1

# row LABEL RATE FILE: one download by each client, both copies compared.
row() {
  FTP_RATE=$2 "$top/tests/wine/with-ftp.sh" bash -c '
    set -euo pipefail
    out=$(mktemp -d)
    read -r bytes ours < <("'"$top"'/tests/wine/wine-run.sh" "'"$top/$B/$W"'/tests/ftp_benchmark.exe" \
                          "$FTP_PORT" "'"$3"'" "Z:${out//\//\\}\\ours.bin" | tr -d "\r")
    theirs=$(curl -s --ftp-port - -o "$out/curl.bin" -w "%{time_total}" "ftp://127.0.0.1:$FTP_PORT'"$3"'")
    cmp -s "$out/ours.bin" "$out/curl.bin" || { echo "downloads differ" >&2; exit 1; }
    rm -rf "$out"
    awk -v l="'"$1"'" -v b="$bytes" -v o="$ours" -v t="$theirs" "BEGIN {
      mb = b / 1048576
      printf \"%-26s Autorun %7.1f MB/s   curl %7.1f MB/s   ratio %.3f\n\", l, mb / o, mb / t, t / o }"
  '
}
row "loopback, 64 MB:" 0 /big/64mb.bin
row "capped at 1 MB/s, 8 MB:" 1048576 /big/8mb.bin
