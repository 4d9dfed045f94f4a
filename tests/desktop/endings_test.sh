#!/usr/bin/env bash
# The real game under a window manager (openbox on a private X server): one
# game per data folder, and every way the game can end saving what the
# player made.
#
# - Two starts at once on one data folder give one game; a later start
#   brings the running game to the front (from behind another game, and
#   from the task bar) and touches no file; the word taught in the game
#   survives its close. Another data folder runs a game of its own beside it.
# - A game killed with SIGKILL leaves no lock: the next start runs.
# - SIGTERM, SIGHUP and SIGINT, each with a taught word, a moved window and
#   an open top-ten window with a typed name: all kept. A second signal
#   while the shipped word list is being saved does not cut the save short.
# - A maximise or full-screen request leaves the window where it stands, and
#   the close saves that place.
#
#   endings_test.sh PROGRAM WM_STATE_REQUEST
#
# Every wait is for a condition, with a time limit. Exits 77 (skipped) only
# when the X server or the tools are not installed (`make test` installs
# them).
set -u
prog=${1:?usage: endings_test.sh PROGRAM WM_STATE_REQUEST}
wm_request=${2:?usage: endings_test.sh PROGRAM WM_STATE_REQUEST}
limit=${WM_TEST_TIMEOUT:-30}  # seconds for any one condition
shipped=$(dirname "$prog")/dictionary/SzavakLista.txt

for tool in Xvfb openbox xdotool xwininfo xprop; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xpid='' wmpid='' case=setup failures=0
declare -a games=()
cleanup() {
  for pid in "${games[@]}"; do kill -KILL "$pid" 2>/dev/null; done
  [[ -n $wmpid ]] && kill "$wmpid" 2>/dev/null
  [[ -n $xpid ]] && kill "$xpid" 2>/dev/null
  wait 2>/dev/null
  if ((failures)); then
    for output in "$work"/*/output*.txt; do echo "--- ${output#"$work"/}:"; cat "$output"; done
  fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL ($case): $*"; failures=$((failures + 1)); }

wait_for() {
  local what=$1 end=$((SECONDS + limit)); shift
  until "$@"; do
    if ((SECONDS >= end)); then
      fail "timed out waiting for $what"
      return 1
    fi
    sleep 0.05
  done
}

position() { xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF} END {print x "," y}'; }
size() { xwininfo -id "$1" 2>/dev/null | awk '/^ *Width/ {w = $NF} /^ *Height/ {h = $NF} END {print w "x" h}'; }
at() { [[ $(position "$1") == "$2" ]]; }
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
hidden() { ! viewable "$1"; }
ended() { [[ ! -e /proc/$1 ]] || [[ $(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) == Z ]]; }
active_window() { printf '%d' "$(xprop -root _NET_ACTIVE_WINDOW | awk '{print $NF}')"; }
is_active() { [[ $(active_window) == "$1" ]]; }
# The client window on top of openbox's stacking order.
topmost() { printf '%d' "$(xprop -root _NET_CLIENT_LIST_STACKING | awk '{print $NF}')"; }
in_front() { is_active "$1" && [[ $(topmost) == "$1" ]]; }
click() { xdotool mousemove "$1" "$2" click 1; }
activate() { timeout 10 xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowactivate "$1" >/dev/null 2>&1; }
# Every visible main window of any game.
main_windows() { xdotool search --all --onlyvisible --name '^Vorpanta$' 2>/dev/null; }
one_main_window() { [[ $(main_windows | wc -l) == 1 ]]; }
found_main_of() { main=$(xdotool search --all --onlyvisible --pid "$1" --name '^Vorpanta$' 2>/dev/null | head -1); [[ -n $main ]]; }
found_top_ten() { top=$(xdotool search --all --onlyvisible --pid "$1" --name '^Top10$' 2>/dev/null | head -1); [[ -n $top ]]; }
# Names, sizes and times of every file in a folder.
snapshot() { find "$1" -printf '%P %s %T@ %C@ %i\n' | sort; }
saved_place() { tr -d '\r' < "$1/Vorpanta.ini" | awk -F= '/^Left=/ {l = $2} /^Top=/ {t = $2} END {print l "," t}'; }

# new_folder NAME [LEFT TOP]: a data folder with a small word list, ten
# top-ten lines of 0 points (so that a game of 0 points opens a row for its
# name) and the window's saved place; sets $home (XDG_DATA_HOME) and $data.
new_folder() {
  home=$work/$1 data=$work/$1/Vorpanta
  mkdir -p "$data"
  printf '"alma"\r\n"k\xf6rte"\r\n"szilva"\r\n' > "$data/SzavakLista.txt"
  for _ in 1 2 3 4 5 6 7 8 9 10; do printf '99999\t         0\tAnna\r\n'; done > "$data/Top10.txt"
  printf '[Screen]\r\nLeft=%d\r\nTop=%d\r\n' "${2:-120}" "${3:-90}" > "$data/Vorpanta.ini"
}

# start HOME OUTPUT: starts a game on that data home; sets $gpid.
start() {
  # A script's background job starts with SIGINT ignored; a game started
  # from a terminal has it as Ctrl+C sends it.
  XDG_DATA_HOME=$1 QT_QPA_PLATFORM=xcb env --default-signal=INT "$prog" > "$2" 2>&1 &
  gpid=$!
  games+=("$gpid")
}

# teach X Y: picks the bottom-left tile of the window at X,Y and teaches
# its letter with Ctrl+F7; the new-word list gets one line at the close.
teach() {
  activate "$main"
  click $(($1 + 317)) $(($2 + 428))
  xdotool key ctrl+F7
}

# drag X Y DX DY: drags the window at X,Y by its background.
drag() {
  xdotool mousemove $(($1 + 150)) $(($2 + 300)) mousedown 1 mousemove $(($1 + 150 + $3 / 2)) $(($2 + 300 + $4 / 2)) \
    mousemove $(($1 + 150 + $3)) $(($2 + 300 + $4))
  wait_for "the drag to $(($1 + $3)),$(($2 + $4))" at "$main" "$(($1 + $3)),$(($2 + $4))"
  local moved=$?
  xdotool mouseup 1
  return $moved
}

# taught_kept FOLDER: the new-word list holds one taught word, and so does
# the word list.
taught_kept() {
  # The word is in code page 1250 ("Ö" is one byte): compare bytes.
  local -x LC_ALL=C
  local line
  line=$(head -1 "$1/ujszavaklista.txt" 2>/dev/null)
  [[ $(wc -l < "$1/ujszavaklista.txt" 2>/dev/null) == 1 && $line =~ ^\".+\"$'\r'$ ]] ||
    { fail "the new-word list holds \"$(cat -v "$1/ujszavaklista.txt" 2>/dev/null)\""; return 1; }
  grep -qxF "$line" "$1/SzavakLista.txt" || fail "the word list lacks the taught word $line"
}

# --- the desktop ---
exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp > "$work/xvfb.txt" 2>&1 &
xpid=$!
exec 3>&-
wait_for "the X server" test -s "$work/display" || exit 1
export DISPLAY=:$(head -1 "$work/display")
unset WAYLAND_DISPLAY
openbox > "$work/openbox.txt" 2>&1 &
wmpid=$!
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_for "the window manager" wm_running || exit 1

# --- one game per data folder ---
one_game() {
  case=one-game
  new_folder one 150 100
  local a=$home adata=$data
  # Two starts at once: one game, and the other start ends by itself.
  start "$a" "$work/one/output-1.txt"; local p1=$gpid
  start "$a" "$work/one/output-2.txt"; local p2=$gpid
  local survivor='' quitter=''
  wait_for "one of two starts to end" eval 'ended $p1 || ended $p2' || return
  if ended "$p1"; then quitter=$p1 survivor=$p2; else quitter=$p2 survivor=$p1; fi
  wait "$quitter" || fail "the second start ended with status $?"
  wait_for "the game's window" found_main_of "$survivor" || return
  local amain=$main
  sleep 1
  one_main_window || fail "$(main_windows | wc -l) main windows for one data folder"
  ended "$survivor" && { fail "no game runs"; return; }
  wait_for "the game in front" in_front "$amain"
  wait_for "the game at its saved place" at "$amain" 150,100 || return
  teach 150 100

  # Another data folder: a game of its own, in front of the first.
  case=side-by-side
  new_folder two 300 200
  start "$home" "$work/two/output.txt"; local bpid=$gpid
  wait_for "the other folder's game" found_main_of "$bpid" || return
  local bmain=$main
  wait_for "the other game in front" in_front "$bmain"
  [[ $(main_windows | wc -l) == 2 ]] || fail "two data folders do not give two games"

  # A start on the first folder brings its game in front of the other and
  # touches none of its files.
  case=raise
  local before
  before=$(snapshot "$adata")
  start "$a" "$work/one/output-3.txt"
  wait_for "the start to end" ended "$gpid" && wait "$gpid" || fail "the start ended with status $?"
  wait_for "the first game in front of the other" in_front "$amain"
  [[ $(snapshot "$adata") == "$before" ]] || fail "the start changed the data folder"
  [[ $(main_windows | wc -l) == 2 ]] || fail "$(main_windows | wc -l) main windows"

  # From the task bar, too.
  case=raise-minimised
  main=$amain
  activate "$amain"
  xdotool key Escape
  wait_for "Esc to minimise the game" hidden "$amain" || return
  start "$a" "$work/one/output-4.txt"
  wait_for "the start to end" ended "$gpid" && wait "$gpid"
  wait_for "the game back from the task bar" viewable "$amain" && wait_for "the game in front" in_front "$amain"
  wait_for "the game back at its place" at "$amain" 150,100

  # The word taught in the one game survives its close.
  case=taught-survives
  click $((150 + 644)) $((100 + 24))
  wait_for "the game to end" ended "$survivor" && wait "$survivor"
  taught_kept "$adata"
  # The other game closes on its own.
  main=$bmain
  click $((300 + 644)) $((200 + 24))
  wait_for "the other game to end" ended "$bpid" && wait "$bpid"
}

# --- a lock that no process holds ---
killed_game() {
  case=killed-game
  new_folder killed 200 150
  start "$home" "$work/killed/output-1.txt"
  wait_for "the game" found_main_of "$gpid" || return
  kill -KILL "$gpid"
  wait "$gpid" 2>/dev/null
  start "$home" "$work/killed/output-2.txt"
  wait_for "the next start's game" found_main_of "$gpid" || return
  wait_for "its place" at "$main" 200,150
  click $((200 + 644)) $((150 + 24))
  wait_for "the game to end" ended "$gpid" && wait "$gpid"
}

# --- signals ---
# ended_by SIGNAL [SECOND_SIGNAL]: a taught word, a moved window and a name
# typed into the open top-ten window, then the signal (and a second one
# while the list is being saved); everything is kept.
ended_by() {
  local signal=$1 second=${2:-}
  case=$signal${second:+-then-$second}
  new_folder "$case" 100 80
  # With a second signal, the shipped list: its save takes a while.
  [[ -n $second && -f $shipped ]] && cp "$shipped" "$data/SzavakLista.txt"
  local lines
  lines=$(wc -l < "$data/SzavakLista.txt")
  start "$home" "$work/$case/output.txt"
  wait_for "the game" found_main_of "$gpid" || return
  wait_for "the game at its place" at "$main" 100,80 || return
  teach 100 80
  drag 100 80 70 40 || return
  activate "$main"
  xdotool key F8
  wait_for "the top-ten window" found_top_ten "$gpid" || return
  activate "$top"
  xdotool type --delay 20 "Nev$signal"
  # The keys reach the game before the signal does.
  sleep 1
  kill -"$signal" "$gpid"
  if [[ -n $second ]]; then
    sleep 0.15
    kill -"$second" "$gpid" 2>/dev/null
  fi
  wait_for "the game to end" ended "$gpid" || return
  wait "$gpid" || fail "the game ended with status $?"
  [[ $(saved_place "$data") == 170,120 ]] || fail "the settings keep $(saved_place "$data") instead of 170,120"
  taught_kept "$data"
  [[ $(wc -l < "$data/SzavakLista.txt") == $((lines + 1)) ]] ||
    fail "the word list has $(wc -l < "$data/SzavakLista.txt") lines instead of $((lines + 1))"
  grep -q $'\t'"Nev$signal"$'\r'"\$" "$data/Top10.txt" || fail "the top-ten table lacks the typed name Nev$signal"
}

# --- maximise and full screen ---
back_in_place() {
  at "$1" 240,170 && [[ $(size "$1") == 670x480 ]] &&
    ! xprop -id "$1" _NET_WM_STATE | grep -qE 'MAXIMIZED|FULLSCREEN'
}
window_states() {
  case=maximise
  new_folder states 240 170
  start "$home" "$work/states/output.txt"
  wait_for "the game" found_main_of "$gpid" || return
  wait_for "the game at its place" at "$main" 240,170 || return
  for state in maximize fullscreen; do
    case=$state
    "$wm_request" "$main" add "$state"
    # The window manager may show the window in the corner for a moment; the
    # game must put it back, in its normal state, and it must stay there.
    sleep 0.2
    wait_for "the window back at 240,170 (it stands at $(position "$main"))" back_in_place "$main" || return
    for _ in 1 2 3 4 5 6 7 8 9 10; do
      sleep 0.2
      back_in_place "$main" || { fail "the window moved to $(position "$main") ($(size "$main"))"; break; }
    done
  done
  case=maximise-close
  click $((240 + 644)) $((170 + 24))
  wait_for "the game to end" ended "$gpid" && wait "$gpid"
  [[ $(saved_place "$data") == 240,170 ]] || fail "the settings keep $(saved_place "$data") instead of 240,170"
}

one_game
killed_game
ended_by TERM
ended_by HUP
ended_by INT
ended_by TERM INT
window_states

if ((failures)); then
  echo "$failures failed check(s)"
  exit 1
fi
echo "all checks passed"
