# Helpers of the desktop tests: the real Pellacor.exe under Wine on the X
# display, driven from outside with xclip and xdotool as a person would.
# Sourced by each test_*.sh; the test script provides DISPLAY.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/env.sh"
# A test that sets PELLACOR_TEST_CODE_PAGE=1252 runs on a Windows whose ANSI code page is 1252.
[ "${PELLACOR_TEST_CODE_PAGE:-}" = 1252 ] && use_cp1252_prefix
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
[ -f "$WIN_BUILD/Pellacor.chm" ] && cp "$WIN_BUILD/Pellacor.chm" "$APP_DIR/"
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
# The clipboard starts empty too: nothing an earlier test copied becomes a clip.
fresh_session() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    printf '' | xclip -selection clipboard -i >/dev/null 2>&1 || true
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

visible_windows() { xdotool search --onlyvisible --name '' 2>/dev/null | sort || true; }

# The desktop's opener (xdg-open, xdg-email) is a stand-in that logs what it
# gets to $OPENER_LOG and opens nothing.
OPENER_LOG="$APP_DIR/opener.log"
# Starts the test's own copy, or the program at the Windows path given, from the test's folder.
start_pellacor() {
    local program=${1:-./Pellacor.exe}
    (cd "$APP_DIR" && PATH="$ROOT/tests/opener:$PATH" PELLACOR_OPENER_LOG="$OPENER_LOG" \
        "$WINE" "$program" >>"$APP_DIR/wine.log" 2>&1 &)
    for _ in $(seq 60); do
        pellacor_running && { wait_until_ready; return 0; }
        sleep 0.5
    done
    fail "Pellacor did not start"
}

# The tray window, and the point of the first icon in it (below the caption
# that Wine draws when the window is unmanaged).
tray_window() { xdotool search --onlyvisible --name 'Wine System Tray' 2>/dev/null | head -1 || true; }
# Prints nothing while there is no tray window yet.
tray_icon_point() {
    local tray
    tray=$(tray_window)
    [ -n "$tray" ] || return 0
    eval "$(xdotool getwindowgeometry --shell "$tray")"
    echo "$((X + 10)) $((Y + HEIGHT - 12))"
}

# Clicks the tray icon with `button` and prints how many windows (menus) opened.
click_tray_and_count_new_windows() {
    local button=$1 before point
    point=$(tray_icon_point)
    [ -n "$point" ] || fail "no system tray window"
    before=$(visible_windows)
    # shellcheck disable=SC2086
    xdotool mousemove $point click "$button"
    sleep 1.5
    comm -13 <(echo "$before") <(visible_windows) | grep -c . || true
}

# Start-up is done once the clipboard watcher's window exists: the tray icon and
# the hot key come before it, and the viewer chain is joined right after it (a
# change announced meanwhile waits in the queue). Under load that takes seconds.
wait_until_ready() {
    for _ in $(seq 60); do
        xdotool search --name '^PellacorClipboardWatcher$' >/dev/null 2>&1 && { sleep 0.5; return 0; }
        sleep 0.5
    done
    fail "Pellacor started but never watched the clipboard"
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

# Answers the window (a message box) whose name matches `pattern` with `key`,
# the pointer on it first; fails when none comes within 20 s.
answer_box() {
    local pattern=$1 key=${2:-Return} box
    box=$(wait_for_window "$pattern") || fail "no \"$pattern\" window"
    eval "$(xdotool getwindowgeometry --shell "$box")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
    sleep 0.3
    xdotool key "$key"
    sleep 0.5
}

# Key presses reach the Wine window under the pointer (there is no window
# manager); the tray window is always there.
pointer_on_tray() {
    local tray
    # On a busy machine the tray shows a few seconds after the program started.
    tray=$(wait_for_window 'Wine System Tray') || fail "no system tray window"
    eval "$(xdotool getwindowgeometry --shell "$tray")"
    xdotool mousemove $((X + WIDTH - 20)) $((Y + HEIGHT - 12))
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



# Opens the history menu with the hot key; MENU_X, MENU_Y, MENU_W and MENU_H
# then give the menu window's place on the screen.
open_history_menu() {
    local before window
    pointer_on_tray
    before=$(visible_windows)
    xdotool key alt+v
    sleep 1
    keys_follow_pointer
    window=$(comm -13 <(echo "$before") <(visible_windows) | head -1)
    [ -n "$window" ] || fail "the hot key opened no menu"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    MENU_X=$X MENU_Y=$Y MENU_W=$WIDTH MENU_H=$HEIGHT
}

# In an open menu: `count` presses of `key` (Up or Down), then `last` (Return, Menu).
menu_keys() {
    local key=$1 count=$2 last=$3
    for _ in $(seq "$count"); do xdotool key "$key"; sleep 0.2; done
    xdotool key "$last"
    sleep 1
}

# An X program copies a 64 x 48 picture, then a list of two files (one.txt and
# two.txt in the test's folder): two clips, the picture first.
copy_picture_and_files() {
    convert -size 64x48 xc:'#3070B0' "bmp3:$APP_DIR/picture.bmp"
    xclip -selection clipboard -t image/bmp -i "$APP_DIR/picture.bmp" >/dev/null 2>&1
    sleep 1.5
    touch "$APP_DIR/one.txt" "$APP_DIR/two.txt"
    printf 'file://%s/one.txt\r\nfile://%s/two.txt\r\n' "$APP_DIR" "$APP_DIR" |
        xclip -selection clipboard -t text/uri-list -i >/dev/null 2>&1
    sleep 1.5
}

# Opens the general menu with a right click on the tray icon and presses
# `keys` in it, one after the other (separators are skipped by the keys).
pick_in_general_menu() {
    local point key
    point=$(tray_icon_point)
    [ -n "$point" ] || fail "no system tray window"
    # shellcheck disable=SC2086
    xdotool mousemove $point click 3
    sleep 1.5
    for key in "$@"; do xdotool key "$key"; sleep 0.3; done
}

# Starts Wine's notepad and clicks into it, the pointer left resting there.
open_editor() {
    (cd "$APP_DIR" && "$WINE" notepad >>"$APP_DIR/wine.log" 2>&1 &)
    local editor
    editor=$(wait_for_window '记事本|Notepad') || fail "notepad did not open"
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$editor")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
    sleep 0.5
}
