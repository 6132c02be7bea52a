#!/usr/bin/env bash
# Copy two texts in an X program, press Alt+V and pick the older clip with the
# keyboard: the clipboard holds it again and the history gained no new clip.
source "$(dirname "$0")/lib.sh"
fresh_session
# With duplicates allowed, a restore that was captured again would show as a new clip.
write_ini "NoDuplicatedEntries=0"
start_pellacor
copy_text "first clip"
copy_text "second clip"

pointer_on_tray
pick_with_hot_key Up 2 menu-older-selected
clipboard_holds "first clip" || fail "clipboard holds '$(clipboard_text)' after picking the older clip"

# The newest clip is still "second clip": picking the last item restores it.
pick_with_hot_key Up 1
clipboard_holds "second clip" || fail "the history gained a clip: last item gave '$(clipboard_text)'"
stop_pellacor
echo ok
