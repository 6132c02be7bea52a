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
clipboard_holds "pasted by Pellacor" || fail "the pick put '$(clipboard_text)' on the clipboard"
# Pellacor gives notepad the focus back right after the restore; nothing outside Wine shows it.
pointer_settle
xdotool key ctrl+v
# Read the editor back through the clipboard: a "!" typed after the paste
# tells the editor's text from the clip itself.
xdotool type "!"
xdotool key ctrl+a ctrl+c
clipboard_holds "pasted by Pellacor!" || fail "the editor holds '$(clipboard_text)'"
shot pasted
stop_pellacor
echo ok
