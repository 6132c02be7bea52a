#!/usr/bin/env bash
# A clip kept in the personal history is on disk while the program runs on:
# killing the whole Wine session (a crash, the task manager, a power cut) once
# it is there, after "添加至个人历史", does not lose it, and the next start shows it.
source "$(dirname "$0")/lib.sh"
fresh_session
start_pellacor
copy_text "kept before the crash"
# The menu key on the only clip (after the personal marker): keep it.
open_history_menu
menu_keys Down 2 Menu
menu_keys Up 4 Return  # "添加至个人历史"
# On disk while the program runs on, before any exit.
poll 10 file_has "$APP_DIR/Personal.dat" "kept before the crash" || fail "the kept clip did not reach Personal.dat"
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
pellacor_running && fail "Pellacor still runs after wineserver -k"
[ -f "$APP_DIR/Personal.dat" ] || fail "no Personal.dat after the kill"
grep -aq "kept before the crash" "$APP_DIR/Personal.dat" || fail "the kept clip is not in Personal.dat"

start_pellacor
open_history_menu
shot personal-after-kill
xdotool key Escape
stop_pellacor
grep -aq "kept before the crash" "$APP_DIR/Personal.dat" || fail "the clip did not come back after the restart"
echo ok
