#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine, when missing.
set -euo pipefail
need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
for p in cmake make g++ file x11-utils g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 xvfb xauth doctest-dev x11-apps imagemagick clang libclang-rt-14-dev cups-daemon cups-client; do
  have "$p" || need+=("$p")
done
# The release: the installer compiler, 7z to look into installers, zip, and
# python3 for reading the version resource.
for p in nsis p7zip-full zip unzip python3; do have "$p" || need+=("$p"); done
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need+=(wine32:i386)
elif ! have wine32:i386; then
  need+=(wine32:i386)
fi
# Wine's 32-bit printing reaches CUPS through the 32-bit libcups.
have libcups2:i386 || need+=(libcups2:i386)
if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
