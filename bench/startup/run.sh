#!/usr/bin/env bash
# Start-up benchmark: the time from starting the program to its main window being
# shown (and the program ending right after, VANTREL_QUIT_WHEN_SHOWN=1), median of
# 10 runs, beside a bare Qt program that shows one empty window, both measured in
# the same virtual X server, turn about.
# Usage: bench/startup/run.sh [build folder]   (default: build)
set -euo pipefail

RUNS=${RUNS:-10}

if [ "${1:-}" != "--inside" ]; then
  build="$(readlink -f "${1:-build}")"
  program="$build/app/vantrel"
  bare="$build/bench/startup/bare_window"
  for f in "$program" "$bare"; do
    [ -x "$f" ] || { echo "missing $f (build the targets vantrel and bare_window)" >&2; exit 1; }
  done
  self="$(readlink -f "$0")"
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
  cd "$work"
  export LC_ALL=C.UTF-8
  unset QT_QPA_PLATFORM
  xvfb-run -a -s "-screen 0 1280x1024x24" bash "$self" --inside "$program" "$bare"
  exit $?
fi

program="$2"
bare="$3"

# Wall time of one run in microseconds.
time_one() {
  local start end
  start=$(date +%s%N)
  VANTREL_QUIT_WHEN_SHOWN=1 "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
}

median() {
  sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

# One warm-up run each, so that both start from a warm file cache.
time_one "$bare" >/dev/null
time_one "$program" >/dev/null

bare_times=()
program_times=()
for _ in $(seq 1 "$RUNS"); do
  bare_times+=("$(time_one "$bare")")
  program_times+=("$(time_one "$program")")
done

bare_median=$(printf '%s\n' "${bare_times[@]}" | median)
program_median=$(printf '%s\n' "${program_times[@]}" | median)
ratio=$(awk -v p="$program_median" -v b="$bare_median" 'BEGIN { printf "%.2f", p / b }')

printf 'bare window:  median %7.1f ms  (%s)\n' "$(awk -v v="$bare_median" 'BEGIN { print v / 1000 }')" \
  "$(printf '%s ' "${bare_times[@]}" | awk '{ for (i = 1; i <= NF; ++i) printf "%.1f ", $i / 1000 }')"
printf 'vantrel:      median %7.1f ms  (%s)\n' "$(awk -v v="$program_median" 'BEGIN { print v / 1000 }')" \
  "$(printf '%s ' "${program_times[@]}" | awk '{ for (i = 1; i <= NF; ++i) printf "%.1f ", $i / 1000 }')"
echo "ratio:        $ratio (target: at most 2.00)"
