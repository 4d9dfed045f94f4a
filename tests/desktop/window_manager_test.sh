#!/usr/bin/env bash
# The game on a desktop whose window manager reparents every window (openbox
# on a private X server), started many times as a player would start it:
# each start opens at the saved place, is dragged by its background, opens
# the top-ten table (F10), in every third start the words window (F2) or the
# statistics window (F3), and the about window, each centred over it, is minimised with Esc and restored
# where it was, is dragged again and closed with its close button, which
# saves where it stood. Two more starts check a place partly off the screen
# (kept exactly; the modal windows stay on the screen; the game runs without
# a locale and its captions are the same) and a place off every screen
# (opened where it can be reached). Captions are compared as text, whatever
# the locale of the test.
#
#   window_manager_test.sh PROGRAM [STARTS]
#
# Every wait is for a condition, with a time limit, so a busy machine only
# makes it slower. Exits 77 (skipped) only when the X server or the tools
# are not installed (`make test` installs them).
set -u
prog=${1:?usage: window_manager_test.sh PROGRAM [STARTS]}
starts=${2:-20}
limit=${WM_TEST_TIMEOUT:-30}  # seconds for any one condition
screen_w=1024 screen_h=768
main_w=670 main_h=480 top_w=300 top_h=375 about_w=366 about_h=300 words_w=440 words_h=380
stats_w=600 stats_h=440

for tool in Xvfb openbox xdotool xwininfo xprop; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xpid='' wmpid='' gpid='' run=setup failures=0
cleanup() {
  [[ -n $gpid ]] && kill "$gpid" 2>/dev/null
  [[ -n $wmpid ]] && kill "$wmpid" 2>/dev/null
  [[ -n $xpid ]] && kill "$xpid" 2>/dev/null
  wait 2>/dev/null
  if ((failures)); then
    for output in "$work"/run-*/output.txt; do echo "--- the game's output in ${output%/output.txt}:"; cat "$output"; done
  fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL (start $run): $*"; failures=$((failures + 1)); }

# wait_for WHAT COMMAND...: runs the command until it succeeds; false after
# the time limit, with WHAT reported.
wait_for() {
  local what=$1 end=$((SECONDS + limit)); shift
  until "$@"; do
    if ((SECONDS >= end)); then
      [[ $1 == at ]] && what+=" (it stands at $(position "$2"))"
      fail "timed out waiting for $what"
      return 1
    fi
    sleep 0.05
  done
}

position() { xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF} END {print x "," y}'; }
at() { [[ $(position "$1") == "$2" ]]; }
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
hidden() { ! viewable "$1"; }
# A window's text property as UTF-8 text, whatever the locale (xprop would
# print its bytes as the locale renders them): read as bytes and decoded by
# the property's type.
title() {
  local out bytes
  out=$(xprop -id "$1" -f "$2" 8x "$2" 2>/dev/null)
  bytes=$(sed -n 's/^[^=]* = //p' <<<"$out" | tr -d ' ,' | sed 's/0x/\\x/g')
  case $out in
    *"(UTF8_STRING) = "*) printf '%b' "$bytes" ;;
    *"(STRING) = "*) printf '%b' "$bytes" | iconv -f ISO-8859-1 -t UTF-8 ;;
    *) printf '%s' "$out" ;;
  esac
}
ended() { [[ ! -e /proc/$gpid ]] || [[ $(awk '{print $3}' "/proc/$gpid/stat" 2>/dev/null) == Z ]]; }
clamp() { local v=$1 lo=$2 hi=$3; ((v < lo)) && v=$lo; ((v > hi)) && v=$hi; echo "$v"; }

# The game's visible windows other than the main window ($main).
found_other() {
  other=$(xdotool search --all --onlyvisible --pid "$gpid" --name '.*' 2>/dev/null | grep -vx "$main" | head -1)
  [[ -n $other ]]
}
found_main() {
  main=$(xdotool search --all --onlyvisible --pid "$gpid" --name '^Vorpanta$' 2>/dev/null | head -1)
  [[ -n $main ]]
}
activate() { timeout 10 xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowactivate "$1" >/dev/null 2>&1; }
click() { xdotool mousemove "$1" "$2" click 1; }

# Starts the game with the given saved place; sets $main. With $no_locale
# set, the game runs without any locale, as in a minimal container.
start_game() {
  data=$work/run-$run
  mkdir -p "$data/Vorpanta"
  printf '[Screen]\r\nLeft=%d\r\nTop=%d\r\n' "$1" "$2" > "$data/Vorpanta/Vorpanta.ini"
  env ${no_locale:+-u LC_ALL -u LC_CTYPE -u LANG -u LANGUAGE} XDG_DATA_HOME=$data QT_QPA_PLATFORM=xcb "$prog" \
    > "$data/output.txt" 2>&1 &
  gpid=$!
  wait_for "the main window" found_main
}

# drag_window WINDOW X Y DX DY WHAT: presses the left button at screen point
# X,Y, moves it by DX,DY and releases it once the window has followed.
drag_window() {
  local window=$1 to
  to=$(($(position "$window" | cut -d, -f1) + $4)),$(($(position "$window" | cut -d, -f2) + $5))
  xdotool mousemove "$2" "$3" mousedown 1 mousemove $(($2 + $4 / 2)) $(($3 + $5 / 2)) mousemove $(($2 + $4)) $(($3 + $5))
  wait_for "the drag of $6" at "$window" "$to"
  local moved=$?
  xdotool mouseup 1
  return $moved
}

# drag X Y DX DY: drags the main window from screen point X,Y by DX,DY.
drag() {
  x=$((x + $3)) y=$((y + $4))
  drag_window "$main" "$@" "the main window to $x,$y"
}

# check_modal HOW NAME WIDTH HEIGHT CLOSE_X CLOSE_Y [GRIP_X GRIP_Y]: opens a
# modal window by running HOW, checks its caption and that it stands centred
# over the main window at ($x,$y), kept on the screen, drags it by its
# picture at GRIP when given, then closes it with its button.
check_modal() {
  local how=$1 name=$2 w=$3 h=$4 cx=$5 cy=$6 gx=${7:-} gy=${8:-} ex ey
  ex=$(clamp $((x + (main_w - w) / 2)) 0 $((screen_w - w)))
  ey=$(clamp $((y + (main_h - h) / 2)) 0 $((screen_h - h)))
  eval "$how"
  wait_for "the $name window" found_other || return 1
  wait_for "the $name window at $ex,$ey" at "$other" "$ex,$ey"
  [[ $(title "$other" _NET_WM_NAME) == "$name" ]] || fail "the $name window's caption is \"$(title "$other" _NET_WM_NAME)\""
  [[ $(title "$other" WM_NAME) == "$name" ]] || fail "the $name window's WM_NAME is \"$(title "$other" WM_NAME)\""
  if [[ -n $gx ]]; then
    # It is dragged by its picture, as the main window is.
    drag_window "$other" $((ex + gx)) $((ey + gy)) 25 -15 "the $name window to $((ex + 25)),$((ey - 15))" || return
    ex=$((ex + 25)) ey=$((ey - 15))
  fi
  click $((ex + cx)) $((ey + cy))
  wait_for "the $name window to close" hidden "$other"
}

# The top-ten table with F10, the words window with F2 (every third start and
# when asked) and the statistics window with F3 (every third start, another
# one, and when asked), then the about window with its button.
check_modals() {
  activate "$main"
  check_modal 'xdotool key F10' Top10 $top_w $top_h 271 28 40 350 || return
  if [[ ${1:-} == words ]] || ((run % 3 == 0)); then
    check_modal 'activate "$main"; xdotool key F2' Szavak $words_w $words_h 411 28 40 60 || return
  fi
  if [[ ${1:-} == words ]] || ((run % 3 == 1)); then
    check_modal 'activate "$main"; xdotool key F3' Statisztika $stats_w $stats_h 571 28 40 60 || return
  fi
  check_modal 'click $((x + 506)) $((y + 30))' "Névjegy" $about_w $about_h 341 24
}

# close_and_check_saved: closes with the close button; the settings keep $x,$y.
close_and_check_saved() {
  click $((x + 644)) $((y + 24))
  wait_for "the game to end" ended && wait "$gpid"
  gpid=''
  local saved
  saved=$(tr -d '\r' < "$data/Vorpanta/Vorpanta.ini" | awk -F= '/^Left=/ {l = $2} /^Top=/ {t = $2} END {print l "," t}')
  [[ $saved == "$x,$y" ]] || fail "the settings keep $saved instead of $x,$y"
}

# --- the desktop ---
exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 ${screen_w}x${screen_h}x24 -nolisten tcp > "$work/xvfb.txt" 2>&1 &
xpid=$!
exec 3>&-
wait_for "the X server" test -s "$work/display" || exit 1
export DISPLAY=:$(head -1 "$work/display")
unset WAYLAND_DISPLAY
openbox > "$work/openbox.txt" 2>&1 &
wmpid=$!
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_for "the window manager" wm_running || exit 1

# One ordinary start at X,Y; returns at the first check that cannot go on.
ordinary_start() {
  x=$1 y=$2
  start_game "$x" "$y" || return
  wait_for "the main window at its saved place $x,$y" at "$main" "$x,$y" || return
  # Every other start opens the modal windows before the first drag.
  if ((run % 2)); then
    check_modals || return
    drag $((x + 150)) $((y + 300)) 40 20 || return
  else
    drag $((x + 150)) $((y + 300)) 40 20 || return
    check_modals || return
  fi
  activate "$main"
  xdotool key Escape
  wait_for "Esc to minimise the main window" hidden "$main" || return
  xdotool windowactivate "$main"
  wait_for "the main window to come back" viewable "$main" || return
  wait_for "the main window back at $x,$y" at "$main" "$x,$y" || return
  drag $((x + 100)) $((y + 200)) -30 15 || return
  close_and_check_saved
}

# Partly off the screen: kept exactly, and the modal windows (the words and
# statistics windows too) stand on the screen. The game runs without a locale: the captions are
# the same.
partly_off_start() {
  x=-330 y=430
  no_locale=1 start_game "$x" "$y" || return
  wait_for "the main window at its saved place $x,$y" at "$main" "$x,$y" || return
  check_modals words || return
  close_and_check_saved
}

# Off every screen: opened wholly on the screen.
off_screen_start() {
  start_game 5000 3000 || return
  x=$((screen_w - main_w)) y=$((screen_h - main_h))
  wait_for "the main window at $x,$y" at "$main" "$x,$y" || return
  close_and_check_saved
}

# A start that failed leaves its game running; end it before the next.
finish_start() {
  if [[ -n $gpid ]]; then
    kill "$gpid" 2>/dev/null
    wait "$gpid" 2>/dev/null
    gpid=''
  fi
}

for ((i = 1; i <= starts; i++)); do
  run=$i
  ordinary_start $((100 + 37 * i % 200)) $((80 + 29 * i % 150))
  finish_start
done
run=partly-off
partly_off_start
finish_start
run=off-screen
off_screen_start
finish_start

total=$((starts + 2))
if ((failures)); then
  echo "$failures failed check(s) over $total starts"
  exit 1
fi
echo "all checks passed over $total starts"
