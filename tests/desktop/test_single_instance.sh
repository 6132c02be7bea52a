#!/usr/bin/env bash
# A second start warns "一个 PELLACOR 已存在." and ends; the first keeps running.
source "$(dirname "$0")/lib.sh"
fresh_session
start_pellacor

(cd "$APP_DIR" && "$WINE" ./Pellacor.exe >>"$APP_DIR/wine.log" 2>&1 &)
box=$(wait_for_window 'PELLACOR: ') || fail "no warning box for the second start"
title=$(xdotool getwindowname "$box")
[ "$title" = "PELLACOR: 警告   " ] || fail "warning title was '$title'"
[ "$(pellacor_count)" -eq 2 ] || fail "expected two processes while the warning shows"
shot warning

# Answer the box as a person would.
eval "$(xdotool getwindowgeometry --shell "$box")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
pointer_settle
xdotool key Return
poll 10 pellacor_count_is 1 || fail "the second copy did not end, or the first ended too"

stop_pellacor
[ -f "$APP_DIR/Pellacor.ini" ] || fail "the first copy did not write its settings at exit"
echo ok
