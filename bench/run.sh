#!/usr/bin/env bash
# `make bench`: builds the benchmarks in build-bench (Release), generates every
# input into a temporary folder, times the game's start-up and peak memory
# under Xvfb against a bare Qt window, runs the Google Benchmark suite and
# ends with one table of results against their goals. See bench/README.md.
#
# Settings through the environment:
#   STARTUP_RUNS   first-frame runs of each program (default 7, at least 5)
#   CLOSE_RUNS     close runs of the game and the bare window (default STARTUP_RUNS)
#   BENCH_FILTER   a Google Benchmark filter for the suite (default: all)
#   KEEP_WORK=1    keep the temporary folder and print its path
#   DICTIONARY     a word list file to measure instead of the shipped one
set -euo pipefail

cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD=$ROOT/build-bench
JOBS=$(nproc 2>/dev/null || echo 2)
STARTUP_RUNS=${STARTUP_RUNS:-7}
BENCH_FILTER=${BENCH_FILTER:-}

# --- packages the probe needs (the Makefile's deps brings the rest)
missing=""
for p in libxcb1-dev libxcb-damage0-dev libxcb-xtest0-dev xvfb libbenchmark-dev xz-utils; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed' || missing="$missing $p"
done
if [ -n "$missing" ]; then
    if [ "$(id -u)" = 0 ]; then sudo=""; elif command -v sudo >/dev/null 2>&1; then sudo="sudo"; else
        echo "Missing packages:$missing. Please run as root: apt-get install -y$missing" >&2; exit 1
    fi
    echo "Installing:$missing"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends $missing
fi

# --- build
cmake -S "$ROOT" -B "$BUILD" -DVORPANTA_BUILD_BENCHMARKS=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD" -j "$JOBS" --target vorpanta vorpanta_bench bare_window first_frame_probe close_probe

if [ -e "$BUILD/Vorpanta.ini" ]; then
    echo "$BUILD/Vorpanta.ini exists: the game would keep its data beside the program. Remove it first." >&2
    exit 1
fi

# --- scratch folder, Xvfb
WORK=$(mktemp -d "${TMPDIR:-/tmp}/vorpanta-bench.XXXXXX")
XVFB_PID=""
cleanup() {
    if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
    if [ "${KEEP_WORK:-0}" = 1 ]; then echo "Inputs kept in $WORK"; else rm -rf "$WORK"; fi
}
trap cleanup EXIT

# --- the dictionary: the shipped one, else a generated stand-in
DICTIONARY=${DICTIONARY:-}
ARCHIVE="$ROOT/assets/dictionary/SzavakLista.tar.xz"
if [ -n "$DICTIONARY" ]; then
    [ -f "$DICTIONARY" ] || { echo "No such dictionary: $DICTIONARY" >&2; exit 1; }
    echo "Measuring $DICTIONARY in place of the shipped dictionary."
    DICTIONARY=$(realpath "$DICTIONARY")
    GIVEN_DICTIONARY=$DICTIONARY
elif [ -f "$ARCHIVE" ]; then
    mkdir -p "$WORK/shipped"
    tar -xJf "$ARCHIVE" -C "$WORK/shipped"
    DICTIONARY=$(find "$WORK/shipped" -type f -iname 'SzavakLista.txt' | head -n 1)
fi
if [ -z "$DICTIONARY" ]; then
    echo "No shipped dictionary ($ARCHIVE): a generated stand-in takes its place."
fi

BENCH=("$BUILD/bench/vorpanta_bench" "--work=$WORK")
[ -n "$DICTIONARY" ] && BENCH+=("--dictionary=$DICTIONARY")
"${BENCH[@]}" --prepare

# --- start-up and memory: the game with the dictionary in its data folder
# (XDG_DATA_HOME/Vorpanta), against the bare window; interleaved runs after
# one unrecorded warm-up run of each.
mkdir -p "$WORK/xdg/Vorpanta" "$WORK/xdg-empty/Vorpanta" "$WORK/runtime"
chmod 700 "$WORK/runtime"
ln -s "$WORK/dictionary/SzavakLista.txt" "$WORK/xdg/Vorpanta/SzavakLista.txt"
# A first start: a program folder of its own, whose shipped list is the same
# dictionary, and a data folder that does not exist yet at every run. The
# program file is copied, since the game finds its folder from its real path.
mkdir -p "$WORK/program/dictionary"
cp "$BUILD/vorpanta" "$WORK/program/vorpanta"
ln -s "$BUILD/Ico" "$WORK/program/Ico"
ln -s "$WORK/dictionary/SzavakLista.txt" "$WORK/program/dictionary/SzavakLista.txt"
display=""
for n in $(seq 90 120); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "No free X display number" >&2; exit 1; }
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

STARTUP="$WORK/startup.txt"
: >"$STARTUP"
probe() {  # label
    local program="$BUILD/vorpanta" data="$WORK/xdg"
    [ "$1" = bare ] && program="$BUILD/bench/bare_window"
    [ "$1" = game-no-dictionary ] && data="$WORK/xdg-empty"
    if [ "$1" = game-first-start ]; then
        program="$WORK/program/vorpanta" data="$WORK/xdg-first"
        rm -rf "$data"
    fi
    DISPLAY=$display XDG_DATA_HOME="$data" XDG_RUNTIME_DIR="$WORK/runtime" \
        "$BUILD/bench/first_frame_probe" -- "$program"
}
# "game-no-dictionary" shows what the window alone costs; "game-first-start"
# starts with a new data folder, into which the dictionary is copied.
LABELS="bare game game-no-dictionary game-first-start"
echo "Start-up: $STARTUP_RUNS first-frame runs each of the game, the bare window, the game without a dictionary" \
    "and the game's first start"
for label in $LABELS; do probe $label >/dev/null; done
for i in $(seq "$STARTUP_RUNS"); do
    for label in $LABELS; do
        line=$(probe $label)
        echo "  $label $line"
        echo "$label $line" >>"$STARTUP"
    done
done

# --- closing: a click on the close button to the window gone and to the
# process's end, the game with a copy of the dictionary in its data folder
# and nothing taught, against the bare window, interleaved the same way.
CLOSE_RUNS=${CLOSE_RUNS:-$STARTUP_RUNS}
mkdir -p "$WORK/xdg-close/Vorpanta"
cp "$WORK/dictionary/SzavakLista.txt" "$WORK/xdg-close/Vorpanta/SzavakLista.txt"
CLOSE="$WORK/close.txt"
: >"$CLOSE"
close_probe() {  # label
    local program="$BUILD/vorpanta"
    [ "$1" = bare ] && program="$BUILD/bench/bare_window"
    DISPLAY=$display XDG_DATA_HOME="$WORK/xdg-close" XDG_RUNTIME_DIR="$WORK/runtime" \
        "$BUILD/bench/close_probe" -- "$program"
}
echo "Closing: $CLOSE_RUNS runs each of the game (shipped list, nothing taught) and the bare window"
for label in bare game; do close_probe $label >/dev/null; done
for i in $(seq "$CLOSE_RUNS"); do
    for label in bare game; do
        line=$(close_probe $label)
        echo "  $label $line"
        echo "$label $line" >>"$CLOSE"
    done
done
kill "$XVFB_PID" 2>/dev/null || true
wait "$XVFB_PID" 2>/dev/null || true
XVFB_PID=""

# --- the suite, then the table
MACHINE="$(date -u '+%Y-%m-%d %H:%M UTC') · nproc $(nproc) · $(lscpu | sed -n 's/^Model name: *//p' | head -n 1) · $(free -g | awk '/^Mem:/ {print $2 " GiB memory"}')"
[ -n "$DICTIONARY" ] || MACHINE="$MACHINE · dictionary: generated stand-in"
[ -z "${GIVEN_DICTIONARY:-}" ] || MACHINE="$MACHINE · dictionary: $GIVEN_DICTIONARY (not the shipped one)"
ARGS=("--startup=$STARTUP" "--close=$CLOSE" "--machine=$MACHINE")
[ -n "$BENCH_FILTER" ] && ARGS+=("--benchmark_filter=$BENCH_FILTER")
"${BENCH[@]}" "${ARGS[@]}"
