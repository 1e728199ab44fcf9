#!/usr/bin/env bash
# Cross-builds the Windows programs on Debian 12, as root: installs MinGW-w64
# and Wine, builds the static toolkit once into /var/cache/tintbar (reused
# later), then tintbar.exe, tintbar-css.exe, the unit tests, the portable
# zip, the installer and their checksums in build-windows/. Options given
# are passed to CMake.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"

bash "$top/scripts/install-deps.sh"
bash "$top/scripts/windows/install-deps.sh"
prefix=$(JOBS=$(nproc) bash "$top/scripts/windows/toolkit.sh")

echo "== Cross-build for Windows"
# Compiled objects are cached beside the toolkit and found again from any
# clone: paths below the source tree are hashed as relative ones.
export CCACHE_DIR=${TINTBAR_CACHE:-/var/cache/tintbar}/ccache-windows CCACHE_BASEDIR=$top \
  CCACHE_NOHASHDIR=true CCACHE_MAXSIZE=2G
cmake -S . -B build-windows -DCMAKE_BUILD_TYPE=Release "$@" \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DTINTBAR_WINDOWS_PREFIX="$prefix" \
  -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake --build build-windows -j"$(nproc)"
cmake --build build-windows --target portable-zip installer checksums
echo "The portable zip and the installer in $top/build-windows, with SHA256SUMS:"
cat build-windows/SHA256SUMS
