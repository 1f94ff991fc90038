#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine, once.
# Idempotent: packages already present are not touched and apt is not asked.
set -euo pipefail
pkgs=(cmake make g++ clang libclang-rt-14-dev googletest mingw-w64 wine64 xvfb xauth
      imagemagick x11-utils xdotool vsftpd curl python3)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
