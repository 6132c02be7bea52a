#!/usr/bin/env bash
# "格式" in the clip pop-up: "大写字母" turns the clip on the clipboard into
# capitals there at once, without a new clip; "撤销" brings the text back.
source "$(dirname "$0")/lib.sh"
fresh_session
start_pellacor
copy_text "make me loud"

# The pop-up of the clip, then "格式" and its submenu.
open_format_menu() {
    open_history_menu
    menu_keys Up 1 Menu  # the newest clip, the last entry
    menu_press Down Down Down Right  # "复制", "复制为纯文本", "格式", its submenu
    wait_until 10 menus_open 3
}

open_history_menu
height=$MENU_H
close_menu
open_format_menu
menu_keys Down 1 Return  # "大写字母", below "撤销"
clipboard_holds "MAKE ME LOUD" || fail "the clipboard holds '$(clipboard_text)' after the upper case"
open_history_menu
shot upper-case
[ "$MENU_H" -eq "$height" ] || fail "the history gained a clip from our own write"
close_menu

open_format_menu
shot undo-enabled
xdotool key Return  # "撤销", the first item and enabled now
wait_until 10 no_menu
clipboard_holds "make me loud" || fail "the clipboard holds '$(clipboard_text)' after the undo"
stop_pellacor
echo ok
