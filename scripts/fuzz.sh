#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer in $BUILD/fuzz and runs the
# personal history reader for about 30 seconds on a copy of the seed corpus.
# Fails on any crash, leak, sanitizer report or broken round trip.
set -euo pipefail
source "$(dirname "$0")/env.sh"
FUZZ_BUILD="$BUILD/fuzz"
seconds="${PELLACOR_FUZZ_SECONDS:-30}"

"$ROOT/scripts/install-deps.sh"  # clang and its libFuzzer runtime among them

CC=clang CXX=clang++ cmake -S "$ROOT" -B "$FUZZ_BUILD" $(cmake_generator) -DCMAKE_BUILD_TYPE=Debug \
      -DPELLACOR_WERROR=ON >/dev/null
cmake --build "$FUZZ_BUILD" -j 2 --target personal_record_fuzz

# The committed corpus stays as it is: the fuzzer adds its finds to a copy.
work="$FUZZ_BUILD/corpus-work/personal_record"
rm -rf "$work"
mkdir -p "$work"
cp "$ROOT"/fuzz/corpus/personal_record/* "$work"/

cd "$FUZZ_BUILD"
./personal_record_fuzz -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 "$work"
