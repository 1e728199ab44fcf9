#!/usr/bin/env bash
# Renders the page of tintbar-css --html, styled by the CSS for current
# browsers, in Chromium, Firefox ESR and WebKitGTK at device scale factors 1
# and 2 and compares their screenshots with the preview, pixel by pixel.
# Takes about 35 seconds on two cores. Needs the tintbar-css of build/, which
# it builds when needed.
#   --picture OUT.png  also writes the Chromium page beside its preview, as
#                      in the README (docs/browsers.png)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"

[[ -f build/CMakeCache.txt ]] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target tintbar-css -j"$(nproc)" >/dev/null
exec python3 tests/browser/browser_test.py --tintbar-css build/bin/tintbar-css "$@"
