#!/usr/bin/env bash
# Installs what is needed, builds Tintbar and starts it on the shipped
# default.css (the start-up colours are read from the working directory).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"

bash "$top/scripts/install-deps.sh"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target tintbar -j"$(nproc)"
exec build/bin/tintbar
