# Helpers of the desktop tests: the real Pellacor.exe under Wine on the X
# display, driven from outside with xclip and xdotool as a person would.
# Sourced by each test_*.sh; the test script provides DISPLAY.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/env.sh"
# A test that sets PELLACOR_TEST_CODE_PAGE=1252 runs on a Windows whose ANSI code page is 1252.
[ "${PELLACOR_TEST_CODE_PAGE:-}" = 1252 ] && use_cp1252_prefix
ensure_display
ensure_wine_prefix

# The display of the tests has no window manager, and Wine waits 2 s for one
# at every window it hides; wm_state.c does the one thing Wine waits for. Built
# once; without a C compiler or the X headers the tests only run slower.
note_window_states() {
    local source helper="$BUILD/desktop/wm_state"
    source="$(dirname "${BASH_SOURCE[0]}")/wm_state.c"
    if [ ! -x "$helper" ] || [ "$source" -nt "$helper" ]; then
        mkdir -p "$BUILD/desktop"
        cc -O2 -o "$helper.new" "$source" -lX11 2>/dev/null && mv "$helper.new" "$helper" || return 0
    fi
    # It ends at once when a copy of it, or a window manager, is there already.
    setsid "$helper" </dev/null >/dev/null 2>&1 &
}
note_window_states
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
# Wine's drive Z: is the Unix root (winepath would start Wine to say so).
APP_WIN_DIR="Z:${APP_DIR//\//\\}"
# The Unix path of a Windows path on Z:, or winepath's answer for another.
unix_path() {
    case $1 in
    [Zz]:\\*) local path=${1:2}; echo "${path//\\//}" ;;
    *) env LC_ALL=C winepath -u "$1" 2>/dev/null ;;
    esac
}

# Whatever a test started under Wine (Pellacor, an editor) ends with the test.
trap 'wineserver -k 2>/dev/null || true' EXIT

fail() {
    echo "FAIL: $*" >&2
    shot "failure"
    exit 1
}

# A window is on the screen before Wine has drawn it, and a dialog's controls
# and pages are no X windows of their own: nothing outside Wine tells when the
# picture is complete, so a screenshot waits a moment first.
shot() {
    sleep 0.3
    import -window root "$SHOTS/$TEST_NAME-$1.png" 2>/dev/null || true
}

# --- Waiting for what the next step needs, never for a time.

# Runs CMD... every 0.1 s until it succeeds; false once TIMEOUT_S seconds have gone by.
poll() {
    local end=$((SECONDS + $1 + 1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.1
    done
}
# As poll, but the test fails, naming what it waited for.
wait_until() {
    local timeout=$1
    shift
    poll "$timeout" "$@" || fail "waited $timeout s in vain for: $*"
}

window_shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
window_gone() { ! window_shown "$1"; }
file_has() { grep -aqF -- "$2" "$1" 2>/dev/null; }
clipboard_is() { [ "$(clipboard_text)" = "$1" ]; }
clipboard_offers() { xclip -selection clipboard -o -t TARGETS 2>/dev/null | grep -qx -- "$1"; }
# Waits up to 10 s for the clipboard to hold TEXT: Wine hands what a program
# put there to X a moment later.
clipboard_holds() { poll 10 clipboard_is "$1"; }

# The open menus of Pellacor: its visible windows without a name (its others
# all have one: the preview, the find window, dialogs and boxes).
menu_windows() {
    local window
    for window in $(xdotool search --onlyvisible --classname '^pellacor\.exe$' 2>/dev/null || true); do
        [ -z "$(xdotool getwindowname "$window" 2>/dev/null)" ] && echo "$window"
    done
    return 0
}
menu_count() { menu_windows | wc -l; }
menus_open() { [ "$(menu_count)" -ge "$1" ]; }
no_menu() { [ "$(menu_count)" -eq 0 ]; }

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
        { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$pid"
    done
    return 0
}
pellacor_count() { pellacor_pids | wc -l; }
pellacor_running() { [ "$(pellacor_count)" -gt 0 ]; }
pellacor_gone() { ! pellacor_running; }
pellacor_count_is() { [ "$(pellacor_count)" -eq "$1" ]; }

visible_windows() { xdotool search --onlyvisible --name '' 2>/dev/null | sort || true; }

# The desktop's opener (xdg-open, xdg-email) is a stand-in that logs what it
# gets to $OPENER_LOG and opens nothing.
OPENER_LOG="$APP_DIR/opener.log"
# Starts the test's own copy, or the program at the Windows path given, from the test's folder.
start_pellacor() {
    local program=${1:-./Pellacor.exe}
    (cd "$APP_DIR" && PATH="$ROOT/tests/opener:$PATH" PELLACOR_OPENER_LOG="$OPENER_LOG" \
        "$WINE" "$program" >>"$APP_DIR/wine.log" 2>&1 &)
    poll 30 pellacor_running || fail "Pellacor did not start"
    wait_until_ready
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
    poll 10 menus_open 1 || true
    comm -13 <(echo "$before") <(visible_windows) | grep -c . || true
}

# Start-up is done once the clipboard watcher's window exists: the tray icon and
# the hot key come before it, and joining the viewer chain right after it reads
# the clipboard. Under load that takes seconds. Wine's own watcher of the X
# clipboard, in the session's first program, may still be starting then: an X
# copy made before it watches never reaches Windows, and nothing outside Wine
# shows when it does, so a moment's pause follows.
watcher_exists() { xdotool search --name '^PellacorClipboardWatcher$' >/dev/null 2>&1; }
wait_until_ready() {
    poll 30 watcher_exists || fail "Pellacor started but never watched the clipboard"
    sleep 0.5
}

# An orderly exit: a close request, as a session manager or taskkill sends it.
stop_pellacor() {
    "$WINE" taskkill /im Pellacor.exe >/dev/null 2>&1 || true
    poll 20 pellacor_gone || fail "Pellacor did not exit"
}

# An X program copies FILE as TARGET; done once a Windows program (Pellacor
# capturing it) has read the data. xclip in the foreground counts the requests
# for data it served (asking for TARGETS, as Wine does at once, is none).
COPIES=0
x_copy() {
    local target=$1 file=$2 log
    COPIES=$((COPIES + 1))
    log="$APP_DIR/copy-$COPIES.log"
    xclip -verbose -selection clipboard -t "$target" -i "$file" >"$log" 2>&1 &
    poll 20 file_has "$log" "request number 2" || fail "nobody read the $target copied from $file"
}
copy_text() {
    printf '%s' "$1" >"$APP_DIR/copy-$((COPIES + 1)).txt"
    x_copy UTF8_STRING "$APP_DIR/copy-$((COPIES + 1)).txt"
}
clipboard_text() { xclip -selection clipboard -o 2>/dev/null; }

ini_value() { grep -E "^$1=" "$APP_DIR/Pellacor.ini" | head -1 | cut -d= -f2- | tr -d '\r'; }

# The first visible window whose name matches `pattern`, waiting up to 20 s.
wait_for_window() {
    poll 20 window_shown "$1" || return 1
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1
}

# Answers the window (a message box) whose name matches `pattern` with `key`,
# the pointer on it first; fails when none comes within 20 s.
answer_box() {
    local pattern=$1 key=${2:-Return} box
    box=$(wait_for_window "$pattern") || fail "no \"$pattern\" window"
    eval "$(xdotool getwindowgeometry --shell "$box")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
    pointer_settle
    xdotool key "$key"
    poll 10 window_gone "$pattern" || fail "the \"$pattern\" window stayed after $key"
}

# Key presses reach the Wine window under the pointer (there is no window
# manager); the tray window is always there.
pointer_on_tray() {
    local tray
    # On a busy machine the tray shows a few seconds after the program started.
    tray=$(wait_for_window 'Wine System Tray') || fail "no system tray window"
    eval "$(xdotool getwindowgeometry --shell "$tray")"
    xdotool mousemove $((X + WIDTH - 20)) $((Y + HEIGHT - 12))
    pointer_settle
}

# Keys go where Wine saw the pointer last, and nothing outside Wine shows
# when it has seen the pointer move: a pause we cannot wait out.
pointer_settle() { sleep 0.3; }

# Presses each key given in turn in an open menu. The menu takes them from a
# queue in order; a short gap keeps them apart as a person's presses are.
menu_press() {
    local key
    for key in "$@"; do xdotool key "$key"; sleep 0.05; done
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
    hot_key_menu
    for _ in $(seq "$count"); do menu_press "$key"; done
    [ -n "$shot_name" ] && shot "$shot_name"
    xdotool key Return
    wait_until 10 no_menu
}
# Opens the history menu with the hot key, keys then going to the menu.
hot_key_menu() {
    xdotool key alt+v
    wait_until 10 menus_open 1
    keys_follow_pointer
}

write_ini() { printf '[Configuration]\r\n%s' "$(printf '%s\r\n' "$@")" >"$APP_DIR/Pellacor.ini"; }

# Opens the history menu with the hot key; MENU_X, MENU_Y, MENU_W and MENU_H
# then give the menu window's place on the screen.
open_history_menu() {
    local window
    pointer_on_tray
    xdotool key alt+v
    poll 10 menus_open 1 || fail "the hot key opened no menu"
    keys_follow_pointer
    window=$(menu_windows | head -1)
    eval "$(xdotool getwindowgeometry --shell "$window")"
    MENU_X=$X MENU_Y=$Y MENU_W=$WIDTH MENU_H=$HEIGHT
}

# Escape closes the one open menu.
close_menu() {
    xdotool key Escape
    wait_until 10 no_menu
}

# In an open menu: `count` presses of `key` (Up or Down), then `last`: Menu
# opens the clip pop-up, Return takes the item and closes every menu.
menu_keys() {
    local key=$1 count=$2 last=$3 menus
    menus=$(menu_count)
    for _ in $(seq "$count"); do menu_press "$key"; done
    xdotool key "$last"
    case $last in
    Menu) wait_until 10 menus_open $((menus + 1)) ;;
    Return) wait_until 10 no_menu ;;
    esac
}

# An X program copies a 64 x 48 picture, then a list of two files (one.txt and
# two.txt in the test's folder): two clips, the picture first.
copy_picture_and_files() {
    convert -size 64x48 xc:'#3070B0' "bmp3:$APP_DIR/picture.bmp"
    x_copy image/bmp "$APP_DIR/picture.bmp"
    touch "$APP_DIR/one.txt" "$APP_DIR/two.txt"
    printf 'file://%s/one.txt\r\nfile://%s/two.txt\r\n' "$APP_DIR" "$APP_DIR" >"$APP_DIR/files.uris"
    x_copy text/uri-list "$APP_DIR/files.uris"
}

tray_found() { [ -n "$(tray_icon_point)" ]; }

# Opens the general menu with a right click on the tray icon and presses
# `keys` in it, one after the other (separators are skipped by the keys).
pick_in_general_menu() {
    local point
    # A search of the windows can miss the tray while another program's windows go away.
    poll 10 tray_found || fail "no system tray window"
    point=$(tray_icon_point)
    # shellcheck disable=SC2086
    xdotool mousemove $point click 3
    wait_until 10 menus_open 1
    menu_press "$@"
}

# Starts Wine's notepad and clicks into it, the pointer left resting there.
open_editor() {
    (cd "$APP_DIR" && "$WINE" notepad >>"$APP_DIR/wine.log" 2>&1 &)
    local editor
    editor=$(wait_for_window '记事本|Notepad') || fail "notepad did not open"
    # Notepad makes itself the active window a while after its window shows,
    # and takes the click as the active one; neither shows outside Wine (the
    # X focus stays with the pointer), and the hot key pastes only into the
    # window that was active. Under load that takes the full second.
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$editor")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
    sleep 0.5
}
