#!/usr/bin/env bash
# Configures and builds both halves: the Windows program and tests
# (mingw-w64) and the native portable core with its unit tests.
set -euo pipefail
source "$(dirname "$0")/env.sh"
werror="${PELLACOR_WERROR:-ON}"  # one setting for every build, so none reconfigures another
jobs="$(nproc)"
"$ROOT/scripts/fetch-sqlite.sh"
sqlite="-DPELLACOR_SQLITE_DIR=$BUILD/deps/sqlite3mc"

cmake -S "$ROOT" -B "$WIN_BUILD" $(cmake_generator) -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" -DPELLACOR_WERROR="$werror" \
      -DPELLACOR_DIST_DIR="$BUILD/dist" "$sqlite" >/dev/null
cmake --build "$WIN_BUILD" -j "$jobs" --target Pellacor ${PELLACOR_TARGETS_WIN:-}

if [ -n "${PELLACOR_NATIVE:-}" ]; then
    cmake -S "$ROOT" -B "$NATIVE_BUILD" $(cmake_generator) -DCMAKE_BUILD_TYPE=Debug \
          -DPELLACOR_WERROR="$werror" "$sqlite" >/dev/null
    cmake --build "$NATIVE_BUILD" -j "$jobs" ${PELLACOR_TARGETS_NATIVE:-}
fi
