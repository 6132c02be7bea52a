#!/usr/bin/env bash
# A left click on the tray icon opens the history menu, a right click the
# general menu; the screenshots show both as a person sees them.
source "$(dirname "$0")/lib.sh"
fresh_session
start_pellacor
copy_text "first copied text"
copy_text "https://example.org/newest"

[ "$(click_tray_and_count_new_windows 1)" -ge 1 ] || fail "a left click opened no menu"
shot history-menu
keys_follow_pointer
close_menu
[ "$(click_tray_and_count_new_windows 3)" -ge 1 ] || fail "a right click opened no menu"
shot general-menu
keys_follow_pointer
close_menu
stop_pellacor
echo ok
