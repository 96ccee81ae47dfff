#!/usr/bin/env bash
# Starts the real program under a virtual X server in an empty current directory,
# finds its main window by its caption, checks the data folders it made, leaves
# it through the menu "Файл" / "Выход" with the keyboard and checks that it ended
# cleanly and quickly.
# Usage: run_e2e.sh <path of the vantrel program>
set -euo pipefail

CAPTION='Вантрел.   2011 - 2012   2.0'
FOLDERS=(501 br 27 60 10 50 kriket ddv 301 201 170 601 701 1001 img tournament tournament/img)

fail() {
  echo "e2e: FAIL: $*" >&2
  exit 1
}

if [ "${1:-}" != "--inside" ]; then
  [ $# -ge 1 ] || fail "usage: $0 <program>"
  program="$(readlink -f "$1")"
  self="$(readlink -f "$0")"
  [ -x "$program" ] || fail "no program at $1"
  for tool in xvfb-run xdotool; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
  done
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
  cd "$work"
  # A locale with UTF-8, so that the caption reaches the X server as written.
  export LC_ALL=C.UTF-8
  unset QT_QPA_PLATFORM
  xvfb-run -a -s "-screen 0 1280x1024x24" bash "$self" --inside "$program" "$work"
  exit $?
fi

program="$2"
work="$3"
cd "$work"
log="$work/program.log"

"$program" >"$log" 2>&1 &
pid=$!
cleanup() {
  if kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

# The main window, found by its exact caption.
win=""
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || { cat "$log" >&2; fail "the program ended before showing its window"; }
  for id in $(xdotool search --onlyvisible --name 'Вантрел' 2>/dev/null || true); do
    if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$CAPTION" ]; then
      win="$id"
      break
    fi
  done
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || fail "no window with the caption \"$CAPTION\""
echo "e2e: main window $win \"$(xdotool getwindowname "$win")\""

# The data folders of the first showing, made in the current directory.
for f in "${FOLDERS[@]}"; do
  [ -d "$work/$f" ] || fail "folder $f was not made"
done
echo "e2e: all ${#FOLDERS[@]} data folders made"

# "Выход" through the keyboard: Alt alone selects the menu bar's first entry
# ("Файл"), Down opens it on its first item ("Выход"), Enter chooses it.
geometry="$(xdotool getwindowgeometry "$win")"
echo "e2e: $geometry" | tr '\n' ' '
echo
started=$(date +%s%N)
xdotool mousemove --window "$win" 400 400
xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
sleep 0.3
xdotool key --clearmodifiers alt
sleep 0.3
xdotool key Down
sleep 0.3
xdotool key Return

status=""
for _ in $(seq 1 50); do
  if ! kill -0 "$pid" 2>/dev/null; then
    set +e
    wait "$pid"
    status=$?
    set -e
    break
  fi
  sleep 0.1
done
[ -n "$status" ] || { cat "$log" >&2; fail "the program did not end within 5 seconds of \"Выход\""; }
elapsed_ms=$(( ($(date +%s%N) - started) / 1000000 ))
[ "$status" -eq 0 ] || { cat "$log" >&2; fail "exit status $status"; }
echo "e2e: ended with status 0 after ${elapsed_ms} ms"
echo "e2e: PASS"
