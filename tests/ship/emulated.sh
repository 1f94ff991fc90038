#!/usr/bin/env bash
# Runs a command where 32-bit Wine works: as it is where the kernel runs 32-bit code, else in a
# private user and mount namespace whose own binfmt_misc hands every i386 program to qemu's
# user-mode emulator. Nothing outside that namespace changes.
#   emulated.sh COMMAND [ARGS...]
# Exports SHIP_WAY=native or emulated for the command. Exits with 3, saying which, when the
# emulator is missing or too old, or the namespace or binfmt_misc is missing.
set -euo pipefail
qemu=/usr/bin/qemu-i386
no() { echo "ship check: $*" >&2; exit 3; }

if [ "${SHIP_WAY:-}" = emulated ] || /usr/lib/wine/wine --version >/dev/null 2>&1; then
  export SHIP_WAY=${SHIP_WAY:-native}
  exec "$@"
fi
[ -x "$qemu" ] || no "no emulator: $qemu is missing (qemu-user 10 from bookworm-backports; scripts/deps.sh installs it)"
# Before 10 (bookworm's 7.2), Wine's services take minutes to start and its socket calls crash.
version=$("$qemu" --version | head -1)
major=$(echo "$version" | sed -n 's/.* version \([0-9]*\)\..*/\1/p')
[ "${major:-0}" -ge 10 ] || no "the emulator is too old: $version; qemu 10 or later is needed (bookworm-backports; scripts/deps.sh installs it)"
err=$(unshare --user --map-root-user --mount --propagation private true 2>&1) ||
  no "no namespace: unshare --user --map-root-user --mount failed: $err"

# i386 ELF executables and shared objects (e_type 2 or 3, e_machine 3). F opens the emulator now,
# so that it is found whatever the program's own view of the files.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
# Without a reserved 4 GB, Wine cannot map the shared user data at its fixed address (c0000018).
export QEMU_RESERVED_VA=0xffff0000 SHIP_WAY=emulated
# The server needs no emulation: the 64-bit one speaks the same protocol.
export WINESERVER=/usr/lib/wine/wineserver64
exec unshare --user --map-root-user --mount --propagation private bash -c '
  set -e
  no() { echo "ship check: $*" >&2; exit 3; }
  err=$(mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc 2>&1) ||
    no "no binfmt_misc: cannot mount it in the namespace: $err"
  printf ":ship-i386:M::%s:%s:%s:F" "$0" "$1" "$2" >/proc/sys/fs/binfmt_misc/register ||
    no "no binfmt_misc: the i386 handler was refused"
  /usr/lib/wine/wine --version >/dev/null 2>&1 || no "the emulator does not run 32-bit Wine"
  shift 2
  exec "$@"' "$magic" "$mask" "$qemu" "$@"
