#!/usr/bin/env bash
# At 100 %, 150 % and 200 % display scale (Wine prefixes whose LogPixels is
# 96, 144 and 192): the history menu, the preview of a text clip, the clip
# pop-up, the rename dialog and each preferences page are photographed, and
# the rename dialog and the preview are 1.5 and 2 times their size at 100 %,
# within 10 %. Everything is driven with keys: no place depends on a row height.
source "$(dirname "$0")/lib.sh"
SIZES="$APP_DIR/sizes.txt"
: >"$SIZES"

# A prefix of that DPI, made once beside the usual one and kept.
use_display_scale() {
    local dpi=$1
    [ "$dpi" = 96 ] && { export WINEPREFIX="$WIN_BUILD/wineprefix"; return; }
    export WINEPREFIX="$WIN_BUILD/wineprefix-dpi$dpi"
    ensure_wine_prefix
    if [ ! -f "$WINEPREFIX/.pellacor-dpi" ]; then
        env LC_ALL=zh_CN.UTF-8 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
            >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.pellacor-dpi"
    fi
}

# Notes the size of the first visible window whose name matches `pattern` as `what` at `dpi`.
record_size() {
    local dpi=$1 what=$2 pattern=$3 window
    window=$(wait_for_window "$pattern") || fail "no \"$pattern\" window at $dpi dpi"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    echo "$dpi $what $WIDTH $HEIGHT" >>"$SIZES"
}

# The pointer on the middle of the window whose name matches `pattern`: keys go there.
pointer_on() {
    local window
    window=$(wait_for_window "$1") || fail "no \"$1\" window"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
    pointer_settle
}

photograph_at() {
    local dpi=$1
    use_display_scale "$dpi"
    rm -f "$APP_DIR/Personal.dat" "$APP_DIR/Pellacor.ini"
    fresh_session
    start_pellacor
    copy_text "A clip seen at every display scale"

    open_history_menu
    echo "$dpi menu $MENU_W $MENU_H" >>"$SIZES"
    shot "$dpi-history-menu"
    xdotool key Up  # the newest clip, until the preview shows
    record_size "$dpi" preview '格式 : '
    shot "$dpi-preview"
    xdotool key Menu
    wait_until 10 menus_open 2
    shot "$dpi-clip-popup"
    menu_keys Up 4 Return  # "添加至个人历史"

    open_history_menu
    menu_keys Down 1 Menu  # the personal clip
    menu_keys Up 3 Return  # "改名"
    record_size "$dpi" rename '重命名'
    pointer_on '重命名'
    shot "$dpi-rename-dialog"
    xdotool key Escape
    wait_until 10 window_gone '重命名'

    pick_in_general_menu Down Down Down Down Return  # "参数选择..." (after "查找剪辑..." and "工具")
    record_size "$dpi" preferences '^参数选择$'
    pointer_on '^参数选择$'
    shot "$dpi-page-general"
    xdotool key Right
    shot "$dpi-page-confirmations"
    xdotool key Right
    shot "$dpi-page-advanced"
    xdotool key Escape
    wait_until 10 window_gone '^参数选择$'
    stop_pellacor
}

for dpi in 96 144 192; do photograph_at "$dpi"; done
cat "$SIZES"

# `what` at `dpi` is `ratio` times its size at 96 dpi, within 10 %, in width and height.
check_ratio() {
    local what=$1 dpi=$2
    awk -v what="$what" -v dpi="$dpi" '
        $2 == what && $1 == 96 { w0 = $3; h0 = $4 }
        $2 == what && $1 == dpi { w = $3; h = $4 }
        END {
            r = dpi / 96
            if (!w0 || !w) { print "no " what " size"; exit 1 }
            if (w / w0 < r * 0.9 || w / w0 > r * 1.1 || h / h0 < r * 0.9 || h / h0 > r * 1.1) {
                printf "%s at %d dpi is %dx%d, %.2f x %.2f its %dx%d at 96 dpi\n", what, dpi, w, h, w / w0, h / h0, w0, h0
                exit 1
            }
        }' "$SIZES" || fail "the $what does not scale with the display"
}
for dpi in 144 192; do
    check_ratio rename "$dpi"
    check_ratio preview "$dpi"
    check_ratio preferences "$dpi"
done
echo ok
