#!/usr/bin/env bash
# Installs what is missing, builds, and starts Pellacor under Wine.
set -euo pipefail
source "$(dirname "$0")/env.sh"
"$ROOT/scripts/install-deps.sh"
"$ROOT/scripts/build.sh"
ensure_display
ensure_wine_prefix
echo "Starting $WIN_BUILD/Pellacor.exe on $DISPLAY (Alt+V opens the history)"
exec "$WINE" "$WIN_BUILD/Pellacor.exe"
