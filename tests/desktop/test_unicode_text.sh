#!/usr/bin/env bash
# Text in any script comes back whole: a mixed-script text copied in an X
# program is picked back identical, kept in the personal history across a
# restart; a file list whose names hold Korean and an emoji is put back with
# the same paths. Screenshot of the menu showing the text.
source "$(dirname "$0")/lib.sh"
MIXED='mix: 中文 😀 한국어 Ελληνικά café ẞ'
fresh_session
write_ini "NoDuplicatedEntries=0"
start_pellacor
copy_text "$MIXED"
copy_text "other"
open_history_menu
shot menu-mixed-scripts
close_menu
pointer_on_tray
pick_with_hot_key Up 2
clipboard_holds "$MIXED" || fail "picked back '$(clipboard_text)'"

# Kept in the personal history: the menu key on the oldest clip, "添加至个人历史".
open_history_menu
menu_keys Down 2 Menu
menu_keys Up 4 Return
stop_pellacor
start_pellacor
copy_text "after the restart"
pointer_on_tray
pick_with_hot_key Down 1  # the only personal clip
clipboard_holds "$MIXED" || fail "the personal clip came back as '$(clipboard_text)'"

# Two files, one with a name outside every ANSI code page; X writes the list percent-encoded.
WIDE_NAME='한국어 😀 文件.txt'
touch "$APP_DIR/$WIDE_NAME" "$APP_DIR/plain.txt"
encoded=$(printf '%s' "$APP_DIR/$WIDE_NAME" | od -An -tx1 -v | tr -d ' \n' | sed 's/\(..\)/%\1/g')
printf 'file://%s\r\nfile://%s/plain.txt\r\n' "$encoded" "$APP_DIR" >"$APP_DIR/files.uris"
x_copy text/uri-list "$APP_DIR/files.uris"
copy_text "a text after the files"
pointer_on_tray
pick_with_hot_key Up 2
# Read as a Windows program reads it (Wine's own text/uri-list for X garbles
# every byte beyond ASCII of a name): each name is one of the two files.
"$WINE" "$WIN_BUILD/windows_tests.exe" --clipboard-files "$APP_WIN_DIR\\files.txt" >/dev/null 2>&1 ||
    fail "no file list on the clipboard"
count=0
while IFS= read -r name; do
    path=$(unix_path "$name")
    [ -e "$path" ] || fail "the file list names '$name', which is no file"
    count=$((count + 1))
done < <(iconv -f UTF-16LE -t UTF-8 "$APP_DIR/files.txt")
[ "$count" = 2 ] || fail "the file list names $count files"
iconv -f UTF-16LE -t UTF-8 "$APP_DIR/files.txt" | grep -qF "$WIDE_NAME" || fail "the wide name is not in the list"
stop_pellacor
echo ok
