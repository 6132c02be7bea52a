#!/usr/bin/env bash
# With a real editor in front, Alt+V and a pick give the focus back to the
# editor, and Ctrl+V there pastes the picked clip.
source "$(dirname "$0")/lib.sh"
fresh_session
start_pellacor
copy_text "pasted by Pellacor"
copy_text "newer text"

open_editor

pick_with_hot_key Up 2 menu-over-editor
xdotool key ctrl+v
sleep 0.5
shot pasted
# Read the editor back through the clipboard.
xdotool key ctrl+a ctrl+c
sleep 1
[ "$(clipboard_text)" = "pasted by Pellacor" ] || fail "the editor holds '$(clipboard_text)'"
stop_pellacor
echo ok
