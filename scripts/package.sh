#!/usr/bin/env bash
# Makes the packages of a release in build/dist: a Release build of
# Pellacor.exe and Pellacor.chm, then the installer Pellacor-<version>-setup.exe
# (NSIS) and the portable Pellacor-<version>.zip.
set -euo pipefail
source "$(dirname "$0")/env.sh"
"$ROOT/scripts/install-deps.sh"
PELLACOR_TARGETS_WIN="--target packages" "$ROOT/scripts/build.sh"
echo "Packages in $BUILD/dist:"
ls -1 "$BUILD/dist"
