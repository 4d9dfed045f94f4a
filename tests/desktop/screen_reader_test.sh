#!/usr/bin/env bash
# A whole game played with keys alone, through the real windows, while an
# AT-SPI event listener records what a screen reader (Orca) is told at each
# step: the game runs on a private X server under a window manager (openbox),
# in a D-Bus session of its own with the accessibility bus started, and
# screen_reader_test.py plays it and checks the events.
#
#   screen_reader_test.sh PROGRAM
#
# Exits 77 (skipped) with the reason when the X server, the tools or AT-SPI
# (at-spi2-core, python3-pyatspi) are missing or AT-SPI does not answer;
# `make test` installs them.
set -u
if [[ ${1:-} != --inside ]]; then
  prog=${1:?usage: screen_reader_test.sh PROGRAM}
  skip() { echo "skipped: $*"; exit 77; }
  for tool in Xvfb openbox xdotool dbus-run-session dbus-send; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (make test installs it)"
  done
  [[ -x /usr/libexec/at-spi-bus-launcher ]] || skip "AT-SPI is not installed: no /usr/libexec/at-spi-bus-launcher (at-spi2-core)"
  /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "AT-SPI is not installed: /usr/bin/python3 has no pyatspi (python3-pyatspi)"
  exec dbus-run-session -- bash "$0" --inside "$prog"
fi

prog=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# wait_for SECONDS COMMAND...: until the command succeeds; false after SECONDS.
wait_for() {
  local end=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do
    ((SECONDS >= end)) && return 1
    sleep 0.05
  done
}

exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp > "$work/xvfb.txt" 2>&1 &
pids+=($!)
exec 3>&-
wait_for 30 test -s "$work/display" || { echo "FAIL: the X server did not start"; cat "$work/xvfb.txt"; exit 1; }
export DISPLAY=:$(head -1 "$work/display")
unset WAYLAND_DISPLAY
openbox > "$work/openbox.txt" 2>&1 &
pids+=($!)
wait_for 30 sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" || { echo "FAIL: openbox did not start"; exit 1; }

/usr/libexec/at-spi-bus-launcher --launch-immediately > "$work/atspi.txt" 2>&1 &
pids+=($!)
bus_answers() {
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress
}
if ! wait_for 30 bus_answers; then
  echo "skipped: AT-SPI is not available: the accessibility bus did not start"
  cat "$work/atspi.txt"
  exit 77
fi

/usr/bin/python3 "$here/screen_reader_test.py" "$prog" "$work"
