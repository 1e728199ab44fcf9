#!/usr/bin/env bash
# Installs what is needed, builds Tintbar and runs every test: the unit,
# end-to-end and browser tests, the Windows build and its installer under
# Wine, the unit and end-to-end tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, the Debian package, and a short fuzzing run.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
jobs=$(nproc)

bash "$top/scripts/install-deps.sh"

echo "== Formatting: every C and C++ source as .clang-format lays it out"
git ls-files -z '*.cpp' '*.h' '*.c' | xargs -0 clang-format --dry-run --Werror

echo "== Shell scripts: shellcheck"
git ls-files -z '*.sh' .ci/run | xargs -0 shellcheck -x

echo "== Build and test"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTINTBAR_WERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Browser tests: the page of View in browser in Chromium, Firefox ESR and WebKitGTK"
bash "$top/scripts/test-browsers.sh"

echo "== The Windows build: unit and end-to-end tests under Wine in code pages 1252 and 932"
bash "$top/scripts/test-windows.sh"

echo "== Unit and end-to-end tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTINTBAR_WERROR=ON -DTINTBAR_SANITIZE=ON
cmake --build build-asan -j"$jobs"
# The Wayland cases run the program as nobody, who may not reach the clone.
suppressions=$(mktemp --suffix=.supp)
trap 'rm -f "$suppressions"' EXIT
cp tests/lsan.supp "$suppressions"
chmod 644 "$suppressions"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
export LSAN_OPTIONS=suppressions="$suppressions":print_suppressions=0
ctest --test-dir build-asan --output-on-failure -j"$jobs" -LE e2e
# The system libraries carry no frame pointers: on X11 the slower unwinder
# follows each leak back through them to the code that asked for the memory.
# On Wayland it makes GTK's colour dialog too slow to open within the cases'
# time, and no report there needs more than the library's name.
ASAN_OPTIONS=$ASAN_OPTIONS:fast_unwind_on_malloc=0 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs" -L e2e -LE wayland
ctest --test-dir build-asan --output-on-failure -j"$jobs" -L wayland
unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS

echo "== The Debian package: lintian, install, start from the menu entry, purge"
bash "$top/scripts/test-package.sh"

echo "== A clang Release build, warnings as errors, and its unit tests"
bash "$top/scripts/build-matrix.sh" --quick

echo "== Short fuzzing run"
bash "$top/scripts/fuzz.sh" --seconds 30
