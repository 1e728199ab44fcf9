#!/usr/bin/env bash
# Builds the benchmarks (Release, in build-bench), runs them once and checks
# three ratios from that one run:
#   the 10 MB import takes at most 12 times as long as the 1 MB import;
#   the 10 MB import takes at most 5 times as long as one ASCII lower-casing
#   pass over the same 10 MB;
#   one PaintPreview takes at most 100 microseconds.
# Then it pastes 1, 30 and 100 MB style sheets into the real program through
# the clipboard of a virtual X display and prints each Paste's rise of the
# peak resident memory, its ratio to the text and its time; the 30 MB Paste
# may raise the peak by at most 4 times the text plus 16 MB.
# Exits non-zero when a target is missed. Extra arguments go to the
# benchmark binary (for example --benchmark_filter=Paint).
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$top/build-bench"

cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTINTBAR_BUILD_BENCH=ON \
  -DTINTBAR_BUILD_APP=ON -DTINTBAR_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target tintbar_bench tintbar -j"$(nproc)"

results="$(mktemp "${TMPDIR:-/tmp}/tintbar-bench.XXXXXX.json")"
trap 'rm -f "$results"' EXIT
"$build/bin/tintbar_bench" --benchmark_out="$results" --benchmark_out_format=json "$@"

# Every benchmark reports in microseconds. CPU time is compared, so that
# other work on the machine does not count against the code measured.
time_of() {
  jq -r --arg name "$1" '.benchmarks[] | select(.name == $name) | .cpu_time' "$results"
}

import_1mb="$(time_of BM_ImportCssText/1048576)"
import_10mb="$(time_of BM_ImportCssText/10485760)"
lower_10mb="$(time_of BM_AsciiLowerCase/10485760)"
paint="$(time_of BM_PaintPreview)"

missed=0
check() { # label value target unit
  local verdict
  verdict="$(awk -v value="$2" -v target="$3" 'BEGIN { print (value <= target) ? "PASS" : "MISS" }')"
  printf '%-46s %10.2f%s  (target <= %s%s)  %s\n' "$1" "$2" "$4" "$3" "$4" "$verdict"
  [[ "$verdict" == PASS ]] || missed=1
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.4f", a / b }'; }

echo
if [[ -z "$import_1mb" || -z "$import_10mb" || -z "$lower_10mb" || -z "$paint" ]]; then
  echo "bench.sh: a benchmark needed for the ratios did not run" >&2
  exit 1
fi
check "import 10 MB / import 1 MB" "$(ratio "$import_10mb" "$import_1mb")" 12 "x"
check "import 10 MB / ASCII lower-casing of 10 MB" "$(ratio "$import_10mb" "$lower_10mb")" 5 "x"
check "PaintPreview" "$paint" 100 " us"

echo
python3 "$top/bench/paste_memory.py" --tintbar "$build/bin/tintbar" || missed=1
exit "$missed"
