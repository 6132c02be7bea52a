#!/usr/bin/env bash
# The installer round trip, silent as an administrator would run it: it installs
# into the user's own program folder with a shortcut, the Run value and an
# Add/Remove Programs entry; the installed Pellacor starts, captures a copy and
# keeps it; a second install over the running copy ends it in order (it saves
# its settings and personal history beside itself) and keeps that history; the
# uninstaller, over a running copy again, removes the program, the shortcut and
# the Run value and keeps Pellacor.ini and Personal.dat.
source "$(dirname "$0")/lib.sh"
SETUP="$BUILD/dist/Pellacor-1.61-setup.exe"
[ -f "$SETUP" ] || fail "no $SETUP (scripts/package.sh makes it)"
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pellacor'

# Wine's answer, without its CR, as Unix text.
wine_text() { iconv -f GBK -t UTF-8 "$1" | tr -d '\r'; }
# Each Wine program takes a second to start: one asks for both folders, one turns both into Unix paths.
"$WINE" cmd /c echo "%LOCALAPPDATA%;%APPDATA%" >"$APP_DIR/folders.out" 2>/dev/null
IFS=';' read -r local_app_data app_data < <(wine_text "$APP_DIR/folders.out" | tail -1)
INSTALL_WIN="$local_app_data\\Programs\\Pellacor"
{ read -r INSTALL_DIR; read -r app_data_dir; } < <(env LC_ALL=C winepath -u "$INSTALL_WIN" "$app_data" 2>/dev/null)
SHORTCUT="$app_data_dir/Microsoft/Windows/Start Menu/Programs/Pellacor.lnk"
[ -n "$INSTALL_DIR" ] || fail "no folder for %LOCALAPPDATA%"

# Prints the data of value `name` under `key`; fails when there is no such value.
reg_value() {
    "$WINE" reg query "$1" /v "$2" >"$APP_DIR/reg.out" 2>&1 || return 1
    wine_text "$APP_DIR/reg.out" | sed -nE "s/^ +$2 +REG_[A-Z_]+ +//p"
}
# Reads every value of `key` at once (one Wine program, not one for each); fails when there is no such key.
read_key() {
    "$WINE" reg query "$1" >"$APP_DIR/key.out" 2>&1 || return 1
    wine_text "$APP_DIR/key.out" >"$APP_DIR/key.txt"
}
# The data of value `name` in the key read last.
key_value() { sed -nE "s/^ +$1 +REG_[A-Z_]+ +//p" "$APP_DIR/key.txt"; }

# Both registry entries go in one run of regedit.
forget_installation() {
    printf 'REGEDIT4\r\n\r\n[-%s]\r\n\r\n[%s]\r\n"Pellacor"=-\r\n' "HKEY_CURRENT_USER${UNINSTALL_KEY#HKCU}" \
        "HKEY_CURRENT_USER${RUN_KEY#HKCU}" >"$APP_DIR/forget.reg"
    "$WINE" regedit /s "$APP_WIN_DIR\\forget.reg" >/dev/null 2>&1 || true
    rm -rf "$INSTALL_DIR" "$SHORTCUT"
}
trap 'forget_installation; wineserver -k 2>/dev/null || true' EXIT

# The installer waits for the Windows process; its Unix process may linger a moment.
pellacor_ended() { poll 5 pellacor_gone; }

fresh_session
forget_installation

"$WINE" "$SETUP" /S >"$APP_DIR/setup.log" 2>&1 || fail "the silent install failed"
for f in Pellacor.exe Pellacor.chm Uninstall.exe; do [ -f "$INSTALL_DIR/$f" ] || fail "$f not installed"; done
cmp -s "$WIN_BUILD/Pellacor.exe" "$INSTALL_DIR/Pellacor.exe" || fail "the installed program is not the one built"
[ -f "$SHORTCUT" ] || fail "no Start-menu shortcut"
[ "$(reg_value "$RUN_KEY" Pellacor)" = "\"$INSTALL_WIN\\Pellacor.exe\"" ] ||
    fail "Run value: $(reg_value "$RUN_KEY" Pellacor)"
read_key "$UNINSTALL_KEY" || fail "no Add/Remove Programs entry"
[ "$(key_value DisplayName)" = Pellacor ] || fail "Add/Remove Programs name: $(key_value DisplayName)"
[ "$(key_value DisplayVersion)" = 1.61 ] || fail "version: $(key_value DisplayVersion)"
[ -n "$(key_value Publisher)" ] || fail "no publisher"
[ "$(key_value DisplayIcon)" = "$INSTALL_WIN\\Pellacor.exe,0" ] || fail "icon: $(key_value DisplayIcon)"
size=$(key_value EstimatedSize)
[ $((size)) -gt 1000 ] || fail "estimated size: $size KiB"

# Started from the test's folder, it still keeps its files beside itself.
start_pellacor "$INSTALL_WIN\\Pellacor.exe"
copy_text "kept across the update"
open_history_menu
shot installed-history
menu_keys Down 2 Menu
menu_keys Up 4 Return  # "添加至个人历史"

"$WINE" "$SETUP" /S >>"$APP_DIR/setup.log" 2>&1 || fail "the install over a running Pellacor failed"
pellacor_ended || fail "the install left the running Pellacor running"
[ -f "$INSTALL_DIR/Pellacor.ini" ] || fail "no Pellacor.ini beside the installed program"
[ ! -e "$APP_DIR/Pellacor.ini" ] || fail "Pellacor.ini went to the working folder"
grep -aq "kept across the update" "$INSTALL_DIR/Personal.dat" || fail "the personal clip was not saved"
cp "$INSTALL_DIR/Personal.dat" "$APP_DIR/Personal-before.dat"
[ -n "$(reg_value "$RUN_KEY" Pellacor)" ] || fail "the update dropped the Run value"

start_pellacor "$INSTALL_WIN\\Pellacor.exe"
"$WINE" "$INSTALL_WIN\\Uninstall.exe" /S >"$APP_DIR/uninstall.log" 2>&1 || fail "the silent uninstall failed"
# The uninstaller goes on from a copy of itself; its last step removes the entry.
entry_gone() { ! reg_value "$UNINSTALL_KEY" DisplayName >/dev/null; }
poll 30 entry_gone || fail "the Add/Remove Programs entry stayed"
pellacor_ended || fail "the uninstaller left Pellacor running"
for f in Pellacor.exe Pellacor.chm Uninstall.exe; do [ ! -e "$INSTALL_DIR/$f" ] || fail "$f stayed"; done
[ ! -e "$SHORTCUT" ] || fail "the shortcut stayed"
! reg_value "$RUN_KEY" Pellacor >/dev/null || fail "the Run value stayed"
[ -f "$INSTALL_DIR/Pellacor.ini" ] || fail "Pellacor.ini was removed"
cmp -s "$APP_DIR/Personal-before.dat" "$INSTALL_DIR/Personal.dat" || fail "Personal.dat changed or went"
echo ok
