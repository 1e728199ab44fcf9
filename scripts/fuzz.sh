#!/usr/bin/env bash
# Builds everything with clang in build-fuzz, instrumented for fuzzing, and
# runs each libFuzzer target for a while on a scratch copy of its committed
# seed corpus. Exits non-zero when a target finds a crash, a sanitizer
# report or a broken property.
#
#   scripts/fuzz.sh              a short run: 30 seconds a target
#   scripts/fuzz.sh --seconds N  N seconds a target
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

seconds=30
while [[ $# -gt 0 ]]; do
  case "$1" in
    --seconds)
      [[ $# -ge 2 && "$2" =~ ^[0-9]+$ ]] || { echo "fuzz.sh: --seconds needs a whole number" >&2; exit 2; }
      seconds="$2"
      shift 2
      ;;
    -h|--help)
      sed -n '2,8p' "$top/scripts/fuzz.sh" | sed 's/^# \{0,1\}//'
      exit 0
      ;;
    *)
      echo "fuzz.sh: unknown argument '$1'" >&2
      exit 2
      ;;
  esac
done

build="$top/build-fuzz"
targets=(css_import_fuzzer chromlib_fuzzer)

CC=clang CXX=clang++ cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTINTBAR_FUZZ=ON -DTINTBAR_BUILD_APP=OFF -DTINTBAR_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"

scratch="$(mktemp -d "${TMPDIR:-/tmp}/tintbar-fuzz.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT

# Recording where every block was allocated would take a fifth of each run;
# a failing input is run once more with the full record for its report.
fuzz_asan_options="${ASAN_OPTIONS:-malloc_context_size=0}"

status=0
for target in "${targets[@]}"; do
  corpus="$scratch/$target"
  mkdir -p "$corpus"
  cp -R "$top/fuzz/corpus/$target/." "$corpus/"
  echo "== $target: $seconds s on $(find "$corpus" -type f -printf . | wc -c) seeds"
  # Crash inputs land in the scratch directory; a failing one is copied out
  # of it before the scratch directory goes.
  if ! (cd "$scratch" && ASAN_OPTIONS="$fuzz_asan_options" "$build/bin/$target" \
          -max_total_time="$seconds" -print_final_stats=1 \
          -dict="$top/fuzz/$target.dict" \
          -artifact_prefix="$scratch/$target-" "$corpus" 2>"$scratch/$target.log"); then
    status=1
    mkdir -p "$build/crashes"
    cp "$scratch/$target"-* "$build/crashes/" 2>/dev/null || true
    tail -n 40 "$scratch/$target.log" >&2
    for input in "$scratch/$target"-*; do
      [[ -f "$input" ]] || continue
      echo "== $target again on $(basename "$input"), allocations recorded:" >&2
      "$build/bin/$target" "$input" 2>&1 | tail -n 60 >&2 || true
    done
    echo "== $target FAILED; inputs kept in $build/crashes" >&2
  fi
  runs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$scratch/$target.log" | grep -o '[0-9]*$' || echo 0)"
  speed="$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$scratch/$target.log" | grep -o '[0-9]*$' || echo 0)"
  reach="$(grep -o 'DONE *cov: [0-9]* ft: [0-9]* corp: [0-9]*/[0-9a-zA-Z]*' "$scratch/$target.log" |
             sed 's/DONE *//' || true)"
  echo "== $target: $runs runs, $speed exec/s${reach:+, $reach}"
done
exit "$status"
