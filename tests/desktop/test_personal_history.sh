#!/usr/bin/env bash
# Personal clips survive a restart byte for byte, and picking one marks it
# alone as the clip on the clipboard in the file written at exit.
source "$(dirname "$0")/lib.sh"
DATA="$(dirname "$0")/data"
fresh_session
cp "$DATA/Personal-three.dat" "$APP_DIR/Personal.dat"
start_pellacor
stop_pellacor
cmp "$DATA/Personal-three.dat" "$APP_DIR/Personal.dat" || fail "Personal.dat changed across a start and an exit"

start_pellacor
pointer_on_tray
pick_with_hot_key Down 2 second-personal-selected
clipboard_holds "第二个个人剪辑" || fail "clipboard holds '$(clipboard_text)'"
stop_pellacor
cmp "$DATA/Personal-three-second-picked.dat" "$APP_DIR/Personal.dat" ||
    fail "after the pick, the file is not the original with the second clip marked"
echo ok
