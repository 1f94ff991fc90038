#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine, once.
# Idempotent: packages already present are not touched and apt is not asked.
set -euo pipefail
# qemu-user-static: where the kernel runs no 32-bit code, the ship check runs 32-bit Wine under it.
pkgs=(cmake make g++ clang libclang-rt-14-dev googletest mingw-w64 wine64 wine32:i386 xvfb xauth
      imagemagick x11-utils xdotool vsftpd curl python3 nlohmann-json3-dev python3-jsonschema
      qemu-user-static)
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
missing=()
for p in "${pkgs[@]}"; do installed "$p" || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  # 32-bit Wine runs the 32-bit program we ship.
  dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
  # Multiarch wants one version of each library for both architectures. A suite whose i386 index
  # cannot be fetched (a mirror in the middle of a sync) would offer newer amd64 libraries than i386
  # ones, and apt then refuses or removes wine64: everything comes from the release suite, whose
  # indexes both architectures have, and a failed index fetch is tried again.
  for try in 1 2 3; do
    $SUDO apt-get update -qq && break || sleep 5
  done
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq -t bookworm "${missing[@]}" >/dev/null
fi
for p in wine64 wine32:i386; do
  installed "$p" || { echo "deps: $p is missing after the install" >&2; exit 1; }
done
