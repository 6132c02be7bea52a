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
    xdotool key Down; sleep 0.2  # "复制"
    xdotool key Down; sleep 0.2  # "复制为纯文本"
    xdotool key Down; sleep 0.2  # "格式"
    xdotool key Right; sleep 0.5
}

open_history_menu
height=$MENU_H
xdotool key Escape
sleep 0.5
open_format_menu
menu_keys Down 1 Return  # "大写字母", below "撤销"
[ "$(clipboard_text)" = "MAKE ME LOUD" ] || fail "the clipboard holds '$(clipboard_text)' after the upper case"
open_history_menu
shot upper-case
[ "$MENU_H" -eq "$height" ] || fail "the history gained a clip from our own write"
xdotool key Escape
sleep 0.5

open_format_menu
shot undo-enabled
xdotool key Return  # "撤销", the first item and enabled now
sleep 1
[ "$(clipboard_text)" = "make me loud" ] || fail "the clipboard holds '$(clipboard_text)' after the undo"
stop_pellacor
echo ok
