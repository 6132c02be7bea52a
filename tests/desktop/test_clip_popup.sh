#!/usr/bin/env bash
# The clip pop-up in the real program: a right click on a clip opens it beside
# the clip (screenshot with both section headers), "删除" removes the clip,
# "添加至个人历史" keeps one across a restart, "改名" renames it through the
# dialog typed into, and "从个人历史中移除" takes it out of Personal.dat again.
source "$(dirname "$0")/lib.sh"
fresh_session
start_pellacor
copy_text "first clip"
copy_text "second clip"
copy_text "Tom & Jerry"

# Shown: the personal header and its marker, the clipboard header, three clips.
open_history_menu
full_height=$MENU_H
shot history-menu
# Right button on the oldest clip, the third row from the bottom (18 pixels a row, 3 of border).
xdotool mousemove $((MENU_X + MENU_W / 2)) $((MENU_Y + MENU_H - 3 - 9 - 2 * 18)) click 3
wait_until 10 menus_open 2
shot clip-popup
menu_keys Up 2 Return  # "删除", the second item from the bottom
answer_box '确认' y  # the confirmation before deleting: Yes
open_history_menu
[ "$MENU_H" -eq $((full_height - 18)) ] || fail "the menu is $MENU_H pixels high after deleting, not $((full_height - 18))"
close_menu

# The menu key on "second clip" (after the personal marker): keep it.
open_history_menu
menu_keys Down 2 Menu
menu_keys Up 4 Return  # "添加至个人历史"
# Rename it: the first entry of the personal section now.
open_history_menu
menu_keys Down 1 Menu
menu_keys Up 3 Return  # "改名"
dialog=$(wait_for_window '重命名') || fail "no rename dialog"
eval "$(xdotool getwindowgeometry --shell "$dialog")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
pointer_settle
shot rename-dialog
xdotool type --delay 40 "  renamed by keys  "
xdotool key Return
wait_until 10 window_gone '重命名'
stop_pellacor
grep -aq "renamed by keys" "$APP_DIR/Personal.dat" || fail "the new name is not in Personal.dat"
grep -aq "second clip" "$APP_DIR/Personal.dat" || fail "the kept clip is not in Personal.dat"

start_pellacor
open_history_menu
shot personal-after-restart
menu_keys Down 1 Menu
menu_keys Up 4 Return  # "从个人历史中移除"
stop_pellacor
[ ! -s "$APP_DIR/Personal.dat" ] || fail "Personal.dat still holds a clip after removing it"
echo ok
