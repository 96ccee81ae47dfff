#!/usr/bin/env bash
# Start-up benchmark: the time from starting the program to the first paint of
# its main window (program_start runs the program's own start and ends there),
# median of RUNS runs, beside two bare Qt programs: an empty window, and a main
# window with the same menu bar and status text. All three run turn about in
# one virtual X server.
# Usage: bench/startup/run.sh [build folder]   (default: build)
set -euo pipefail

RUNS=${RUNS:-15}

if [ "${1:-}" != "--inside" ]; then
  build="$(readlink -f "${1:-build}")"
  dir="$build/bench/startup"
  for f in bare_window bare_menu_window program_start; do
    [ -x "$dir/$f" ] || { echo "missing $dir/$f (build the target $f)" >&2; exit 1; }
  done
  self="$(readlink -f "$0")"
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
  cd "$work"
  export LC_ALL=C.UTF-8
  unset QT_QPA_PLATFORM
  xvfb-run -a -s "-screen 0 1280x1024x24" bash "$self" --inside "$dir"
  exit $?
fi

dir="$2"
names=(bare_window bare_menu_window program_start)

# Wall time of one run in microseconds.
time_one() {
  local start end
  start=$(date +%s%N)
  "$dir/$1" >/dev/null 2>&1
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
}

median() {
  sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

# One warm-up run each, so that all start from a warm file cache.
for n in "${names[@]}"; do time_one "$n" >/dev/null; done

declare -A times
for _ in $(seq 1 "$RUNS"); do
  for n in "${names[@]}"; do times[$n]+="$(time_one "$n") "; done
done

declare -A med
for n in "${names[@]}"; do
  med[$n]=$(printf '%s\n' ${times[$n]} | median)
  printf '%-17s median %7.1f ms  (%s)\n' "$n:" "$(awk -v v="${med[$n]}" 'BEGIN { print v / 1000 }')" \
    "$(printf '%s ' ${times[$n]} | awk '{ for (i = 1; i <= NF; ++i) printf "%.1f ", $i / 1000 }')"
done
awk -v p="${med[program_start]}" -v b="${med[bare_menu_window]}" \
  'BEGIN { printf "ratio to the bare menu window: %.2f (target: at most 1.25)\n", p / b }'
