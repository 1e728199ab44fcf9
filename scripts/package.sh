#!/usr/bin/env bash
# Builds the Debian package build-deb/tintbar_<version>_amd64.deb: a build
# of its own, installed under /usr and compiled with Debian's hardening
# flags, packed by CPack. Expects what scripts/install-deps.sh installs.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags=$(dpkg-buildflags --get CPPFLAGS)
cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
  -DTINTBAR_BUILD_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $flags" \
  -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CFLAGS) $flags" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build build-deb -j"$(nproc)"
(cd build-deb && cpack >cpack.log 2>&1) || { cat build-deb/cpack.log >&2; exit 1; }
ls "$top"/build-deb/tintbar_*_amd64.deb
