#!/usr/bin/env bash
# Starts the real program under a virtual X server (optionally with the openbox
# window manager) in an empty current directory, under the Russian locale. Finds
# the main window by its caption and checks the data folders it made. Under the
# window manager it also opens the solo window from the menu, checks that it has
# no title bar with a close button but a caption of its own that moves it when
# dragged, opens the checkout table from it and checks that the table comes up
# above the solo window with the keyboard, and that F10 closes it and gives the
# keyboard back. Then, by keyboard only, sets up and plays a two-player match,
# exports it to a stand-in spreadsheet program (a copy into a folder) and reads
# the workbook back, and plays a game 27 whose statistics file it compares byte
# for byte. Leaves the program through "Файл" / "Выход" and checks that it ended
# cleanly and quickly.
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
  for tool in xvfb-run xdotool xprop setxkbmap iconv $wm; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
  done
  locale -a 2>/dev/null | grep -qiE '^ru_RU\.utf-?8$' || fail "the ru_RU.UTF-8 locale is missing (scripts/install-deps.sh makes it)"
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
  cd "$work"
  # The locale of the program's users: decimal comma, Cyrillic captions.
  export LC_ALL=ru_RU.UTF-8 LANG=ru_RU.UTF-8
  unset QT_QPA_PLATFORM
  # The spreadsheet program: a copy of the workbook into a folder of the run.
  export VANTREL_SPREADSHEET="cp -t $work/spreadsheet"
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

# A Russian group beside the Latin one, as on a player's keyboard: typed
# Cyrillic then comes from its own keys, not from a key remapped per letter,
# which the program may read after the mapping was already undone.
setxkbmap -layout us,ru || fail "setxkbmap could not add the Russian layout"
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

  # The solo window has no Close: the manager draws it a border without a
  # title bar (so no close button), and the window draws its own caption above
  # its client area of 1007 x 668; dragging the caption moves the window, which
  # keeps the keyboard.
  frame="$(xprop -id "$solo" _NET_FRAME_EXTENTS | sed 's/.*= //')"
  read -r _ _ top bottom <<<"${frame//,/ }"
  [ "$top" = "$bottom" ] || fail "the manager draws a title bar on the solo window (frame $frame)"
  eval "$(xdotool getwindowgeometry --shell "$solo")"
  caption=$((HEIGHT - 668))
  [ "$caption" -gt 0 ] || fail "the solo window draws no caption (height $HEIGHT)"
  before="$X,$Y"
  xdotool mousemove --window "$solo" 300 $((caption / 2)) mousedown 1
  for _ in 1 2 3 4; do
    sleep 0.1
    xdotool mousemove_relative -- 10 8
  done
  xdotool mouseup 1
  sleep 0.3
  eval "$(xdotool getwindowgeometry --shell "$solo")"
  [ "$X" -gt "${before%,*}" ] && [ "$Y" -gt "${before#*,}" ] ||
    fail "dragging the caption did not move the solo window ($before, then $X,$Y)"
  wait_active "$solo" "$SOLO"
  echo "e2e: solo window has a caption of its own, no title bar, and moves by it"

  # The checkout table button, clicked; the table comes up modally above.
  xdotool mousemove --window "$solo" 786 $((caption + 109)) click 1
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
  # A click on the caption, and a flick let go before the manager took the
  # mouse, leave the keys to the window.
  xdotool mousemove --window "$solo" 300 $((caption / 2)) click 1
  xdotool mousedown 1 mousemove_relative -- 30 20 mouseup 1
  sleep 0.3
  xdotool key F10
  for _ in $(seq 1 50); do
    [ -z "$(find_window "$SOLO")" ] && break
    sleep 0.1
  done
  [ -z "$(find_window "$SOLO")" ] || fail "F10 did not close the solo window"
  echo "e2e: F10 closed the solo window"
fi

# Keys go to whatever window has the keyboard; the function keys act in any control.
key() { xdotool key --clearmodifiers "$@"; }
text() { xdotool type --delay 40 "$1"; }

# Waits up to 20 s for the window with this caption to have the keyboard.
wait_focus() {
  local id=""
  for _ in $(seq 1 200); do
    id="$(find_window "$1")"
    [ -n "$id" ] && [ "$(xdotool getwindowfocus 2>/dev/null)" = "$id" ] && return 0
    # Without a window manager nobody hands a new window the keyboard: the
    # player would click it, so the run gives it the focus.
    [ -n "$id" ] && [ -z "$wm" ] && xdotool windowfocus "$id" 2>/dev/null
    kill -0 "$pid" 2>/dev/null || { cat "$log" >&2; fail "the program ended while waiting for \"$1\""; }
    sleep 0.1
  done
  local focus
  focus="$(xdotool getwindowfocus 2>/dev/null || true)"
  fail "\"$1\" does not have the keyboard (${id:-no such window}; $focus \"$(xdotool getwindowname "$focus" 2>/dev/null || true)\" has it)"
}

wait_gone() {
  for _ in $(seq 1 100); do
    [ -z "$(find_window "$1")" ] && return 0
    sleep 0.1
  done
  fail "\"$1\" did not close"
}

# Opens the n-th item (1 = first) of the n-th main menu; the window with the
# caption given then has the keyboard.
open_item() {
  focus_main
  key alt
  for _ in $(seq 2 "$1"); do key Right; done
  key Down
  for _ in $(seq 2 "$2"); do key Down; done
  key Return
  wait_focus "$3"
}

# A visit typed into the score field, confirmed with Enter.
visit() { text "$1"; key Return; }
# A message box answered with Enter; its window then has the keyboard again.
answer_message() { wait_focus vantrel; key Return; wait_focus "$1"; }

# The two-player match, set up, played and left by keyboard.
SETUP='Настройка игры'
MATCH='Игра на 2-их'
out="$work/spreadsheet"
mkdir -p "$out"
# Set-up by keyboard: 301, no sets, first to 2 legs, two names, player 1
# starts, the deciding-leg draw ticked, then "Принять настройки".
open_item 3 1 "$SETUP"
key Down Down Tab Tab Down Tab
text 'Анна Ёлкина'
key Tab
text 'Борис'
key Tab Tab space Tab space
wait_focus "$MATCH"
# Leg 1, Анна starts: an impossible total is refused; Анна is bust by F8;
# her 40 finishes with the second dart.
key F7
visit 181
answer_message "$MATCH"
visit 180; visit 100; key F8; visit 101; visit 81; visit 60; visit 40
key F2
# Leg 2, Борис starts and finishes 121 with the third dart: 1-1, and the
# chooser gives the deciding leg to Борис.
key F7
visit 180; visit 0; visit 121
key F3
wait_focus 'Выбор начало'
key Right Tab space
wait_focus "$MATCH"
key F7
visit 180; visit 180; visit 121
key F3
# F10: Cancel keeps the match, then Yes exports it to the spreadsheet program.
key F10
wait_focus Confirm
key Escape
wait_focus "$MATCH"
key F10
wait_focus Confirm
key alt+y
wait_focus "$SETUP"
echo "e2e: match played, exported and left"
# The record read back (once the copy is whole): the names, after each leg the
# legs won and the starter's mark (E player 1, G player 2) on the row of
# "Начало", the finishing darts and the bust marks of each player.
for _ in $(seq 1 100); do
  book="$(ls "$out"/*.xlsx 2>/dev/null | head -1)"
  [ -n "$book" ] && /usr/bin/python3 "$(dirname "$0")/../automation/read_xlsx.py" "$book" >"$work/book.json" 2>/dev/null &&
    break
  sleep 0.1
done
[ -s "$work/book.json" ] || fail "no readable workbook reached the spreadsheet program: $(ls "$out")"
legs="$(/usr/bin/python3 -c '
import json, sys
cells = json.load(open(sys.argv[1]))["cells"]
def v(c):
  x = cells.get(c, {}).get("value")
  return "%g" % x if isinstance(x, (int, float)) else (x or "").strip()
def rows(col, text):
  return sorted(int(k[1:]) for k in cells if k[0] == col and v(k) == text)
print(v("B2"), "/", v("J2"), "|", " ".join(v("D%d" % r) + v("E%d" % r) + ":" + v("G%d" % r) + v("I%d" % r)
    for r in rows("F", "Начало")), "|", " ".join(sorted(v("C%d" % r) for r in rows("B", "Закрыл")) +
    sorted(v("H%d" % r) for r in rows("G", "Закрыл"))), "| busts", len(rows("B", "---")), len(rows("G", "---")))
' "$work/book.json")"
want='Анна Ёлкина / Борис | 1X:0 1:X1 1:X2 | Х(2) Х(3) Х(3) | busts 1 0'
[ "$legs" = "$want" ] || fail "the workbook holds \"$legs\", not \"$want\""
echo "e2e: the workbook holds $legs"
key shift+Tab space  # from the list, back to "Выход"
wait_gone "$SETUP"

# Game 27 ended early by five visits without a hit, left with No: one
# statistics file in "27", Windows-1251 with CR LF, its first line the time of
# its name (minutes written again at the end).
open_item 2 3 'Игра 27'
key F7 F4 F4 F4 F4 F4
answer_message 'Игра 27'
key F10
wait_focus Confirm
key alt+n
wait_gone 'Игра 27'
files=("$work"/27/*)
[ ${#files[@]} -eq 1 ] && [ -f "${files[0]}" ] || fail "27 holds ${files[*]}, not one statistics file"
name="$(basename "${files[0]}")"
[[ "$name" =~ ^([0-9]{4})([0-9]{2})([0-9]{2})_([0-9]{2})([0-9]{2})([0-9]{2})_27\.csv$ ]] || fail "statistics file name $name"
r=("${BASH_REMATCH[@]}")
printf '%s\r\n' "${r[1]}.${r[2]}.${r[3]} - ${r[4]}:${r[5]}:${r[6]}:${r[5]}" 'Сектор;Попаданий в сектор;Очки в секторе;Сумма очков;' \
  ';Игра - 1;;;' '1;0;-2;25;' '2;0;-4;21;' '3;0;-6;15;' '4;0;-8;7;' '5;0;-10;-3;' ';;;;' ';;;;' |
  iconv -f UTF-8 -t CP1251 >"$work/want.csv"
cmp "${files[0]}" "$work/want.csv" >&2 ||
  fail "27/$name is not the expected file: $(od -c "${files[0]}" | head -5)"
echo "e2e: game 27 left its statistics file 27/$name"

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
# Only the match was exported: No in game 27 starts no spreadsheet program.
[ "$(ls "$out" | wc -l)" -eq 1 ] || fail "the spreadsheet program got $(ls "$out")"
echo "e2e: PASS"
