#!/usr/bin/env bash
# From the tray's general menu, "参数选择..." opens the preferences; each page is
# photographed; the history size is set to 5 with keys and confirmed with
# Enter. Seven copies then leave five clips, and Pellacor.ini holds the new
# size at once and after the exit.
source "$(dirname "$0")/lib.sh"
fresh_session
start_pellacor

# Under Wine the right button opens the general menu. Its rows: 监视剪贴板,
# a separator, 查找剪辑..., 工具, 参数选择..., ...; rows are 18 pixels high,
# separators 9, the frame 3: the preferences row is centred 3 + 18 + 9 + 18 + 18 + 9 below the top.
# shellcheck disable=SC2046
xdotool mousemove $(tray_icon_point) click 3
poll 10 menus_open 1 || fail "the right click opened no menu"
eval "$(xdotool getwindowgeometry --shell "$(menu_windows | head -1)")"
xdotool mousemove $((X + 30)) $((Y + 75))
pointer_settle
shot general-menu-preferences
xdotool click 1

dialog=$(wait_for_window '^参数选择$') || fail "the preferences dialog did not open"
eval "$(xdotool getwindowgeometry --shell "$dialog")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 10))  # keys go to the window under the pointer
pointer_settle
# The tab strip has the focus: the arrow keys turn the pages.
shot page-general
xdotool key Right
shot page-confirmations
xdotool key Right
shot page-advanced
xdotool key Right
shot page-archive
xdotool key Left Left Left
# Tab goes to the history size with its text selected; Enter presses OK.
xdotool key Tab
xdotool type --delay 100 5
shot history-size-5
xdotool key Return
# Without a window manager Wine takes up to 2 s to withdraw a closed dialog.
poll 5 window_gone '^参数选择$' || fail "the dialog is still open"
size_is_5() { [ "$(ini_value MaxHistorySize)" = 5 ]; }
poll 5 size_is_5 || fail "Pellacor.ini holds MaxHistorySize=$(ini_value MaxHistorySize) right after OK"

for n in 1 2 3 4 5 6 7; do copy_text "clip $n"; done
# Five clips stay: the fifth item from the bottom is "clip 3". After one more
# copy the sixth from the bottom is no clip but the personal history's "empty"
# marker, so taking it leaves the clipboard as it was.
pointer_on_tray
pick_with_hot_key Up 5
clipboard_holds "clip 3" || fail "the fifth newest clip is '$(clipboard_text)'"
copy_text "clip 8"
hot_key_menu
for _ in $(seq 6); do menu_press Up; done
shot sixth-from-bottom
xdotool key Return  # on the marker: nothing to take, and the menu stays
close_menu
# A clip taken by mistake would be on the clipboard a moment after the menu
# closed; that none was can only be seen by waiting that moment.
sleep 0.5
[ "$(clipboard_text)" = "clip 8" ] || fail "a sixth clip was kept: '$(clipboard_text)'"

stop_pellacor
size=$(ini_value MaxHistorySize)
[ "$size" = "5" ] || fail "Pellacor.ini holds MaxHistorySize=$size after the exit"
echo ok
