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

# Whatever a test started under Wine (Pellacor, an editor) ends with the test.
trap 'wineserver -k 2>/dev/null || true' EXIT

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

# Our Pellacor processes: those of this Wine prefix only (other builds may run their own).
pellacor_pids() {
    local pid
    for pid in $(pgrep -fi 'pellacor\.exe' || true); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$pid"
    done
    return 0
}
pellacor_count() { pellacor_pids | wc -l; }
pellacor_running() { [ "$(pellacor_count)" -gt 0 ]; }

start_pellacor() {
    (cd "$APP_DIR" && "$WINE" ./Pellacor.exe >>"$APP_DIR/wine.log" 2>&1 &)
    for _ in $(seq 60); do
        if pellacor_running; then
            # The tray shows once start-up has added the icon; the watcher joins
            # right after. On a busy machine that takes seconds.
            wait_for_window 'Wine System Tray' >/dev/null || true
            sleep 1.5
            return 0
        fi
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

copy_text() { printf '%s' "$1" | xclip -selection clipboard -i >/dev/null 2>&1; sleep 1; }
clipboard_text() { xclip -selection clipboard -o 2>/dev/null; }

ini_value() { grep -E "^$1=" "$APP_DIR/Pellacor.ini" | head -1 | cut -d= -f2- | tr -d '\r'; }

# The first visible window whose name matches `pattern`, waiting up to 20 s.
wait_for_window() {
    local pattern=$1 window=""
    for _ in $(seq 40); do
        window=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -1 || true)
        [ -n "$window" ] && { echo "$window"; return 0; }
        sleep 0.5
    done
    return 1
}

# Key presses reach the Wine window under the pointer (there is no window
# manager); the tray window is always there.
pointer_on_tray() {
    local tray
    # On a busy machine the tray shows a few seconds after the program started.
    tray=$(wait_for_window 'Wine System Tray') || fail "no system tray window"
    eval "$(xdotool getwindowgeometry --shell "$tray")"
    xdotool mousemove $((X + WIDTH - 20)) $((Y + HEIGHT / 2))
    sleep 0.3
}

# Wine gives the X focus to a window that is clicked or activated (there is no
# window manager), and keys then go to that window rather than to a menu under
# the pointer. The X focus following the pointer again (PointerRoot, window 1)
# sends them where a person looks.
keys_follow_pointer() { xdotool windowfocus 1 2>/dev/null || true; }

# Opens the history menu with the hot key, presses `key` (Up or Down) `count`
# times and takes the item. In a freshly opened menu the first Up selects the
# last item, the first Down the first selectable one.
pick_with_hot_key() {
    local key=$1 count=$2 shot_name=${3:-}
    xdotool key alt+v
    sleep 1
    keys_follow_pointer
    for _ in $(seq "$count"); do xdotool key "$key"; sleep 0.2; done
    [ -n "$shot_name" ] && shot "$shot_name"
    xdotool key Return
    sleep 1
}

write_ini() { printf '[Configuration]\r\n%s' "$(printf '%s\r\n' "$@")" >"$APP_DIR/Pellacor.ini"; }

