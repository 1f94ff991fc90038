#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine, once.
# Idempotent: packages already present are not touched and apt is not asked.
set -euo pipefail
pkgs=(cmake make g++ clang libclang-rt-14-dev googletest mingw-w64 wine64 wine32:i386 xvfb xauth
      imagemagick x11-utils xdotool vsftpd curl python3 nlohmann-json3-dev python3-jsonschema)
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
# Where the kernel runs no 32-bit code, the ship check runs 32-bit Wine under qemu's user-mode
# emulator. Bookworm's 7.2 takes minutes to start Wine's services and crashes in its socket calls;
# the 10 of bookworm-backports does neither. Its qemu-user alone (static there): qemu-user-binfmt,
# which qemu-user-static would bring, registers other architectures for the whole machine.
qemu_new() { dpkg --compare-versions "$(dpkg-query -W -f='${Version}' qemu-user 2>/dev/null)" ge 1:10; }
missing=()
for p in "${pkgs[@]}"; do installed "$p" || missing+=("$p"); done
qemu_new && qemu=0 || qemu=1
[ ${#missing[@]} -gt 0 ] || [ $qemu = 1 ] || exit 0

shown=("${missing[@]}")
[ $qemu = 0 ] || shown+=("qemu-user (bookworm-backports)")
echo "Installing: ${shown[*]}"
SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
# 32-bit Wine runs the 32-bit program we ship.
dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
if [ $qemu = 1 ] && ! grep -rqs bookworm-backports /etc/apt/sources.list /etc/apt/sources.list.d; then
  printf 'Types: deb\nURIs: http://deb.debian.org/debian\nSuites: bookworm-backports\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' |
    $SUDO tee /etc/apt/sources.list.d/bookworm-backports.sources >/dev/null
fi
for try in 1 2 3; do
  $SUDO apt-get update -qq && break || sleep 5
done
# Multiarch wants one version of each library for both architectures. A suite whose i386 index
# cannot be fetched (a mirror in the middle of a sync) would offer newer amd64 libraries than i386
# ones, and apt then refuses or removes wine64: everything comes from the release suite, whose
# indexes both architectures have, and a failed index fetch is tried again.
[ ${#missing[@]} -eq 0 ] ||
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq -t bookworm "${missing[@]}" >/dev/null
# Bookworm's qemu-user-static, where it is installed, would hold the older qemu-i386 in the way.
[ $qemu = 0 ] ||
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends -t bookworm-backports \
    qemu-user $(installed qemu-user-static && echo qemu-user-static-) >/dev/null
for p in wine64 wine32:i386; do
  installed "$p" || { echo "deps: $p is missing after the install" >&2; exit 1; }
done
qemu_new || { echo "deps: qemu-user 10 is missing after the install" >&2; exit 1; }
