#!/usr/bin/env bash
# Builds every target of Tintbar, warnings as errors, in each build type with
# GCC and with clang, and runs each build's unit tests; then a fuzzing build
# of all its targets. Each build has its own folder under build-matrix/.
#
#   scripts/build-matrix.sh          the whole matrix
#   scripts/build-matrix.sh --quick  clang Release only (the test command's part)
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc)
compilers=(gcc clang)
types=(Debug RelWithDebInfo Release MinSizeRel)
fuzzing=1
case "${1:-}" in
  --quick) compilers=(clang); types=(Release); fuzzing=0 ;;
  "") ;;
  *) echo "build-matrix.sh: unknown argument '$1'" >&2; exit 2 ;;
esac

configure() { # compiler folder cmake-arguments...
  local compiler="$1" folder="$2"
  shift 2
  if [[ "$compiler" == clang ]]; then
    CC=clang CXX=clang++ cmake -S "$top" -B "$folder" "$@" >/dev/null
  else
    CC=gcc CXX=g++ cmake -S "$top" -B "$folder" "$@" >/dev/null
  fi
}

for compiler in "${compilers[@]}"; do
  for type in "${types[@]}"; do
    folder="$top/build-matrix/$compiler-$type"
    echo "== $compiler $type"
    configure "$compiler" "$folder" -DCMAKE_BUILD_TYPE="$type" -DTINTBAR_WERROR=ON \
      -DTINTBAR_BUILD_BENCH=ON
    cmake --build "$folder" -j"$jobs"
    ctest --test-dir "$folder" -LE e2e --output-on-failure -j"$jobs"
  done
done

if ((fuzzing)); then
  echo "== clang fuzzing build, every target"
  configure clang "$top/build-matrix/clang-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTINTBAR_WERROR=ON -DTINTBAR_FUZZ=ON
  cmake --build "$top/build-matrix/clang-fuzz" -j"$jobs"
fi
