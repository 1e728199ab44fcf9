#!/usr/bin/env bash
# Installs what the Windows build and its tests need on Debian 12, beside what
# scripts/install-deps.sh installs for the Linux build. Run as root.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

packages=(
  # The MinGW-w64 cross compiler with POSIX threads (std::thread, std::mutex)
  gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  # zlib for the cross build (libpng and the toolkit use it)
  libz-mingw-w64-dev
  # Unpacking Debian's source packages of the toolkit and libpng
  dpkg-dev xz-utils
  # Running the Windows programs and their tests (64-bit Wine only)
  wine wine64
  # Compiled objects kept between clean clones, outside the source tree
  ccache
  # The per-user installer, packed with makensis for 64-bit Windows
  nsis
  # The Japanese locale compiled into a private folder for code page 932
  locales
)

bash "$top/scripts/apt-install.sh" "${packages[@]}"
