#!/usr/bin/env bash
# Starts the real program under a virtual X server (optionally with the openbox
# window manager) in an empty current directory, under the Russian locale. Finds
# the main window by its caption and checks the data folders it made. Under the
# window manager it also opens the solo window from the menu, opens the checkout
# table from it and checks that the table comes up above the solo window with
# the keyboard, and that F10 closes it and gives the keyboard back. Leaves the
# program through "Файл" / "Выход" and checks that it ended cleanly and quickly.
# Usage: run_e2e.sh [--wm openbox] <path of the vantrel program>
set -euo pipefail

CAPTION='Вантрел.   2011 - 2012   2.0'
SOLO='Классический 501, 301,201 и т.д.'
TABLE='Калькулятор Калверн'
FOLDERS=(501 br 27 60 10 50 kriket ddv 301 201 170 601 701 1001 img tournament tournament/img)

fail() {
  echo "e2e: FAIL: $*" >&2
  exit 1
}

if [ "${1:-}" != "--inside" ]; then
  wm=""
  if [ "${1:-}" = "--wm" ]; then
    wm="${2:-}"
    shift 2 || true
  fi
  [ $# -ge 1 ] || fail "usage: $0 [--wm openbox] <program>"
  program="$(readlink -f "$1")"
  self="$(readlink -f "$0")"
  [ -x "$program" ] || fail "no program at $1"
  for tool in xvfb-run xdotool xprop $wm; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
  done
  locale -a 2>/dev/null | grep -qiE '^ru_RU\.utf-?8$' || fail "the ru_RU.UTF-8 locale is missing (scripts/install-deps.sh makes it)"
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
  cd "$work"
  # The locale of the program's users: decimal comma, Cyrillic captions.
  export LC_ALL=ru_RU.UTF-8 LANG=ru_RU.UTF-8
  unset QT_QPA_PLATFORM
  xvfb-run -a -s "-screen 0 1280x1024x24" bash "$self" --inside "$program" "$work" "$wm"
  exit $?
fi

program="$2"
work="$3"
wm="${4:-}"
cd "$work"
log="$work/program.log"
pid=""
wmpid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
  if [ -n "$wmpid" ] && kill -0 "$wmpid" 2>/dev/null; then kill "$wmpid" 2>/dev/null || true; fi
}
trap cleanup EXIT

if [ -n "$wm" ]; then
  "$wm" >"$work/wm.log" 2>&1 &
  wmpid=$!
  for _ in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' || fail "$wm did not start"
  echo "e2e: window manager $wm running"
fi

"$program" >"$log" 2>&1 &
pid=$!

# The visible window with exactly this caption (empty when there is none).
find_window() {
  local id
  for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null || true); do
    if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ]; then
      echo "$id"
      return
    fi
  done
}

# Waits up to 20 s (a sanitizer build on a busy machine starts slowly) for the
# window with this caption and prints its id.
wait_window() {
  local id=""
  for _ in $(seq 1 200); do
    kill -0 "$pid" 2>/dev/null || { cat "$log" >&2; fail "the program ended while waiting for \"$1\""; }
    id="$(find_window "$1")"
    [ -n "$id" ] && break
    sleep 0.1
  done
  [ -n "$id" ] || fail "no window with the caption \"$1\""
  echo "$id"
}

# Waits up to 5 s for the window with this caption to be the active one.
wait_active() {
  local want="$1" caption="$2" active=""
  for _ in $(seq 1 50); do
    active="$(xdotool getactivewindow 2>/dev/null || true)"
    [ "$active" = "$want" ] && return 0
    sleep 0.1
  done
  fail "\"$caption\" is not the active window (active: $active \"$(xdotool getwindowname "$active" 2>/dev/null || true)\")"
}

# True when window $1 is stacked above window $2 (the manager's stacking list).
stacked_above() {
  local list upper lower i=0
  list="$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')"
  for id in $list; do
    i=$((i + 1))
    [ $((id)) -eq $(($1)) ] && upper=$i
    [ $((id)) -eq $(($2)) ] && lower=$i
  done
  [ -n "${upper:-}" ] && [ -n "${lower:-}" ] && [ "$upper" -gt "$lower" ]
}

# The main window, found by its exact caption.
win="$(wait_window "$CAPTION")"
echo "e2e: main window $win \"$(xdotool getwindowname "$win")\""

# The data folders of the first showing, made in the current directory.
for f in "${FOLDERS[@]}"; do
  [ -d "$work/$f" ] || fail "folder $f was not made"
done
echo "e2e: all ${#FOLDERS[@]} data folders made"

focus_main() {
  xdotool mousemove --window "$win" 400 400
  xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus "$win" 2>/dev/null || true
  sleep 0.3
}

if [ -n "$wm" ]; then
  # "Тренировка" / "Классический 501, ...": Alt selects "Файл", Right goes on
  # to "Тренировка", Down opens it on its first item, Enter chooses it.
  focus_main
  xdotool key --clearmodifiers alt
  sleep 0.3
  xdotool key Right
  sleep 0.3
  xdotool key Down
  sleep 0.3
  xdotool key Return
  solo="$(wait_window "$SOLO")"
  wait_active "$solo" "$SOLO"
  echo "e2e: solo window $solo is active"

  # The checkout table button, clicked; the table comes up modally above.
  xdotool mousemove --window "$solo" 786 109 click 1
  table="$(wait_window "$TABLE")"
  wait_active "$table" "$TABLE"
  stacked_above "$table" "$solo" || fail "the checkout table is stacked below the solo window"
  echo "e2e: checkout table $table is active and above the solo window"

  # F10 closes the table and the solo window has the keyboard again; its own
  # F10 then leaves it (nothing was played, so nothing is asked).
  xdotool key F10
  for _ in $(seq 1 50); do
    [ -z "$(find_window "$TABLE")" ] && break
    sleep 0.1
  done
  [ -z "$(find_window "$TABLE")" ] || fail "F10 did not close the checkout table"
  wait_active "$solo" "$SOLO"
  echo "e2e: F10 closed the table, the solo window is active again"
  xdotool key F10
  for _ in $(seq 1 50); do
    [ -z "$(find_window "$SOLO")" ] && break
    sleep 0.1
  done
  [ -z "$(find_window "$SOLO")" ] || fail "F10 did not close the solo window"
  echo "e2e: F10 closed the solo window"
fi

# "Выход" through the keyboard: Alt alone selects the menu bar's first entry
# ("Файл"), Down opens it on its first item ("Выход"), Enter chooses it.
geometry="$(xdotool getwindowgeometry "$win")"
echo "e2e: $geometry" | tr '\n' ' '
echo
started=$(date +%s%N)
focus_main
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
