# Helpers of the desktop tests: the real Pellacor.exe under Wine on the X
# display, driven from outside with xclip and xdotool as a person would.
# Sourced by each test_*.sh; the test script provides DISPLAY.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/env.sh"
ensure_display
ensure_wine_prefix
SHOTS="$BUILD/screenshots"
mkdir -p "$SHOTS"
TEST_NAME=$(basename "$0" .sh)
# Each test gets its own folder with its own copy of the program, so its
# Pellacor.ini and Personal.dat start as the test wants them.
APP_DIR="$BUILD/desktop/$TEST_NAME"
rm -rf "$APP_DIR"
mkdir -p "$APP_DIR"
cp "$WIN_BUILD/Pellacor.exe" "$APP_DIR/"
APP_WIN_DIR="$(env LC_ALL=C winepath -w "$APP_DIR" 2>/dev/null || echo "Z:${APP_DIR//\//\\}")"

fail() {
    echo "FAIL: $*" >&2
    shot "failure"
    exit 1
}

shot() { import -window root "$SHOTS/$TEST_NAME-$1.png" 2>/dev/null || true; }

# Starts from a clean Wine session: no Pellacor left over from another test.
fresh_session() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}

pellacor_running() { pgrep -fi 'pellacor\.exe' >/dev/null; }

start_pellacor() {
    (cd "$APP_DIR" && "$WINE" ./Pellacor.exe >>"$APP_DIR/wine.log" 2>&1 &)
    for _ in $(seq 60); do
        pellacor_running && { sleep 1.5; return 0; }
        sleep 0.5
    done
    fail "Pellacor did not start"
}

# An orderly exit: a close request, as a session manager or taskkill sends it.
stop_pellacor() {
    "$WINE" taskkill /im Pellacor.exe >/dev/null 2>&1 || true
    for _ in $(seq 40); do
        pellacor_running || return 0
        sleep 0.5
    done
    fail "Pellacor did not exit"
}

copy_text() { printf '%s' "$1" | xclip -selection clipboard -i; sleep 1; }
clipboard_text() { xclip -selection clipboard -o 2>/dev/null; }

ini_value() { grep -E "^$1=" "$APP_DIR/Pellacor.ini" | head -1 | cut -d= -f2- | tr -d '\r'; }
