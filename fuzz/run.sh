#!/usr/bin/env bash
# Builds the fuzz targets into build-fuzz/ with clang (libFuzzer, ASan, UBSan)
# and runs each for FUZZ_SECONDS seconds (default 60).
#
#   FUZZ_SECONDS=300 bash fuzz/run.sh                 every target, 5 minutes each
#   FUZZ_TARGETS="fuzz_top_ten" bash fuzz/run.sh      only the ones named
#
# The committed seeds in fuzz/corpus/<target>/ are read, never written; what
# a run learns goes to build-fuzz/corpus/<target>/, and an input that breaks a
# property or trips a sanitizer to build-fuzz/artifacts/<target>/. The script
# fails when any target found something.
set -euo pipefail
cd "$(dirname "$0")/.."

FUZZ_SECONDS=${FUZZ_SECONDS:-60}
BUILD=build-fuzz
JOBS=${JOBS:-$(nproc 2>/dev/null || echo 2)}

# clang and its libFuzzer runtime come only with this target, not with the
# everyday build's packages.
packages="clang libclang-rt-14-dev cmake make qt6-base-dev libpng-dev"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed' || missing="$missing $p"
done
if [ -n "$missing" ]; then
  if [ "$(id -u)" = 0 ]; then sudo=""
  elif command -v sudo >/dev/null 2>&1; then sudo="sudo"
  else
    echo "Some packages are missing. Please run as root:"
    echo "  apt-get update && apt-get install -y$missing"
    exit 1
  fi
  echo "Installing:$missing"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends $missing
fi

compiler=$(command -v clang++-14 || command -v clang++)
cmake -S fuzz -B "$BUILD" -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=${FUZZ_TARGETS:-$(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')}
# shellcheck disable=SC2086 # one word per target
cmake --build "$BUILD" -j "$JOBS" --target $targets
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

failed=""
for target in $targets; do
  corpus="$BUILD/corpus/$target"
  artifacts="$BUILD/artifacts/$target"
  mkdir -p "$corpus" "$artifacts" "fuzz/corpus/$target"
  options=(-max_total_time="$FUZZ_SECONDS" -timeout=20 -rss_limit_mb=2560 -max_len=16384
           -print_final_stats=1 -artifact_prefix="$artifacts/")
  [ -f "fuzz/$target.dict" ] && options+=(-dict="fuzz/$target.dict")
  echo "=== $target for ${FUZZ_SECONDS}s"
  if ! "$BUILD/$target" "${options[@]}" "$corpus" "fuzz/corpus/$target" 2>"$BUILD/$target.log"; then
    failed="$failed $target"
    tail -n 60 "$BUILD/$target.log"
  fi
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ *DONE)' "$BUILD/$target.log" || true
done

if [ -n "$failed" ]; then
  echo "Findings in:$failed (inputs in $BUILD/artifacts/)"
  exit 1
fi
echo "No findings."
