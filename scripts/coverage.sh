#!/usr/bin/env bash
# Measures line and branch coverage with gcovr in a Debug build of its own
# (build-coverage): first the core folders under the unit tests alone, then
# the whole program under the unit and the end-to-end tests together. An
# HTML report of the second lands in build-coverage/coverage/index.html.
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$top/build-coverage"
jobs=$(nproc)

cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=--coverage \
  -DCMAKE_EXE_LINKER_FLAGS=--coverage >/dev/null
cmake --build "$build" -j"$jobs"
find "$build" -name '*.gcda' -delete

summary() { # folders-regex
  gcovr --root "$top" --object-directory "$build" --filter "$top/($1)/" \
    --exclude-directories "$build/CMakeFiles" \
    --exclude-throw-branches --exclude-unreachable-branches --print-summary "${@:2}" |
    grep -E '^(lines|branches):'
}

ctest --test-dir "$build" -LE 'e2e|layering' -j"$jobs" >/dev/null
echo "== Core folders (text, preview, css, chromlib, view), unit tests"
summary 'text|preview|css|chromlib|view'

ctest --test-dir "$build" -L e2e -LE wayland -j"$jobs" >/dev/null
# The Wayland cases run the program as the unprivileged user nobody, who must
# be able to add its counts to the data files the other runs have written.
find "$build" -name '*.gcda' -exec chmod a+rw {} +
find "$build" -name '*.gcno' -printf '%h\0' | sort -zu | xargs -0 chmod a+rwx
ctest --test-dir "$build" -L wayland -j"$jobs" >/dev/null
echo "== The whole program, unit and end-to-end tests"
mkdir -p "$build/coverage"
summary 'text|preview|css|chromlib|view|app|cli' --html-details "$build/coverage/index.html"
