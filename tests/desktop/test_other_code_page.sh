#!/usr/bin/env bash
# On a Windows whose language for non-Unicode programs is not Chinese (ANSI
# code page 1252): Chinese text copied in an X program comes back whole, the
# menus show Chinese (screenshot), and a confirmation box asks its Chinese
# question (read back from the box as UTF-16).
PELLACOR_TEST_CODE_PAGE=1252
source "$(dirname "$0")/lib.sh"
TEXT='中文 test ü 😀 한국어'
fresh_session
write_ini "DeleteClipConf=1"
start_pellacor
copy_text "$TEXT"
copy_text "other"
open_history_menu
shot menu-code-page-1252
close_menu
pointer_on_tray
pick_with_hot_key Up 2
clipboard_holds "$TEXT" || fail "picked back '$(clipboard_text)'"

# "删除" on the newest clip asks first.
open_history_menu
menu_keys Up 1 Menu
menu_keys Up 2 Return
box=$(wait_for_window '^确认') || fail "no confirmation box"
shot confirmation-code-page-1252
"$WINE" "$WIN_BUILD/windows_tests.exe" --dialog-texts "$APP_WIN_DIR\\box.txt" >/dev/null 2>&1 ||
    fail "no dialog box to read"
said=$(iconv -f UTF-16LE -t UTF-8 "$APP_DIR/box.txt")
echo "$said" | grep -qF '你确实要删除这个剪辑吗 ?' || fail "the box says: $said"
answer_box '^确认' Escape
stop_pellacor
echo ok
