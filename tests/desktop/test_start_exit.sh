#!/usr/bin/env bash
# Pellacor starts without any window, and an orderly exit leaves the full INI.
source "$(dirname "$0")/lib.sh"
fresh_session

before=$(xdotool search --onlyvisible --name '.' 2>/dev/null | sort || true)
start_pellacor
# A window that should not come: nothing to wait for but a moment after the start-up.
sleep 1
after=$(xdotool search --onlyvisible --name '.' 2>/dev/null | sort || true)
new_windows=$(comm -13 <(echo "$before") <(echo "$after") | while read -r w; do
    name=$(xdotool getwindowname "$w" 2>/dev/null || true)
    # Wine's own desktop and tray windows are not ours.
    case "$name" in *[Pp]ellacor*) echo "$w $name";; esac
done)
shot started
[ -z "$new_windows" ] || fail "Pellacor showed a window: $new_windows"

stop_pellacor
[ -f "$APP_DIR/Pellacor.ini" ] || fail "no Pellacor.ini after exit"
keys=$(grep -oE '^[A-Za-z]+=' "$APP_DIR/Pellacor.ini" | tr -d '=' | tr '\n' ' ')
expected="MonitorClipboard MaxHistorySize MaxCaptionLength NoDuplicatedEntries DeleteClipConf DeleteAllConf HotKeyOn HotKeyCombination PreviewMode AutoPaste PersonalHistoryPath IgnoredPrograms KeepClipboardHistory KeepHistoryDays KeepHistoryMB "
[ "$keys" = "$expected" ] || fail "keys were: $keys"
[ "$(ini_value HotKeyCombination)" = 32854 ] || fail "HotKeyCombination: $(ini_value HotKeyCombination)"
[ "$(ini_value MonitorClipboard)" = -1 ] || fail "MonitorClipboard: $(ini_value MonitorClipboard)"
path=$(ini_value PersonalHistoryPath)
[ "${path: -1}" = '\' ] || fail "PersonalHistoryPath without trailing backslash: $path"
echo "ok"
