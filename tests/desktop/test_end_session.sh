#!/usr/bin/env bash
# The end of the session (as Wine's session manager ends it) writes the settings file.
source "$(dirname "$0")/lib.sh"
fresh_session
start_pellacor
[ ! -f "$APP_DIR/Pellacor.ini" ] || fail "settings written before the session ended"
"$WINE" wineboot --end-session >/dev/null 2>&1 || true
poll 10 test -f "$APP_DIR/Pellacor.ini" || fail "no Pellacor.ini after the end of the session"
[ "$(ini_value HotKeyCombination)" = 32854 ] || fail "incomplete settings file"
stop_pellacor
echo ok
