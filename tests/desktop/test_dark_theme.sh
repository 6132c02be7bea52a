#!/usr/bin/env bash
# The dark app theme, set where Windows keeps it before the program starts:
# the find window, the preview and the preferences come up dark. The
# history menu is shown too: under Wine it stays light, as its section
# headers do (the system draws no dark menus there).
source "$(dirname "$0")/lib.sh"
PERSONALIZE='HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize'
set_theme() { # value: 0 dark, 1 light
    "$WINE" reg add "$PERSONALIZE" /v AppsUseLightTheme /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    "$WINE" reg add "$PERSONALIZE" /v SystemUsesLightTheme /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wineserver -w
}
# The other tests of this prefix run in the light theme again.
trap 'wineserver -k 2>/dev/null || true; wineserver -w; set_theme 1' EXIT

# The mean brightness (0 to 1) of a part of the screen, as ImageMagick measures it.
brightness() { # x y width height
    import -window root -crop "$3x$4+$1+$2" +repage -colorspace Gray -format '%[fx:mean]' info:- 2>/dev/null
}
is_dark() { awk -v b="$1" 'BEGIN { exit !(b < 0.25) }'; }
# Photographs the screen as `name` and fails unless `window` (X, Y, WIDTH, HEIGHT given) is dark.
shot_dark() { # name window-description
    local shown
    shot "$1"
    shown=$(brightness "$X" "$Y" "$WIDTH" "$HEIGHT")
    is_dark "$shown" || fail "$2 is not dark: brightness $shown"
}

fresh_session
set_theme 0
start_pellacor
copy_text "深色主题 dark theme"
copy_text "第二个剪辑 second clip"

open_history_menu
shot history-menu
xdotool key Up  # the newest clip: its preview comes beside the menu after a moment
preview=$(wait_for_window '格式 : ') || fail "no preview of the newest clip"
eval "$(xdotool getwindowgeometry --shell "$preview")"
shot_dark preview "the preview"
xdotool key s  # a letter typed in the menu opens the find window with it
find_window=$(wait_for_window '^查找剪辑$') || fail "typing in the history menu opened no find window"
eval "$(xdotool getwindowgeometry --shell "$find_window")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
pointer_settle
shot_dark find "the find window"
xdotool key Escape
poll 5 window_gone '^查找剪辑$' || fail "the find window stayed open after Escape"

# "参数选择..." in the general menu: down past 监视剪贴板, 查找剪辑... and 工具.
pick_in_general_menu Down Down Down Down Return
dialog=$(wait_for_window '^参数选择$') || fail "the preferences dialog did not open"
eval "$(xdotool getwindowgeometry --shell "$dialog")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 10))
pointer_settle
shot_dark preferences "the preferences"
xdotool key Escape
poll 5 window_gone '^参数选择$' || fail "the preferences stayed open after Escape"
stop_pellacor
echo ok
