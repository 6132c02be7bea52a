#!/usr/bin/env bash
# Finding and pasting in the real program. A letter typed in the open history
# menu opens the find window with it; typing on narrows the list and Enter
# puts the clip back. "复制为纯文本" leaves an HTML copy's plain text alone on
# the clipboard. With AutoPaste on, a clip picked after the hot key pressed in
# notepad lands in notepad without a Ctrl+V of the user's.
source "$(dirname "$0")/lib.sh"
fresh_session
start_pellacor
copy_text "剪贴板历史 Beta 版说明"
copy_text "Bob: 010-8888 1234"
copy_text "alpha one"
copy_text "beta two"
copy_text "gamma three"

open_history_menu
xdotool key b
find_window=$(wait_for_window '^查找剪辑$') || fail "typing in the history menu opened no find window"
eval "$(xdotool getwindowgeometry --shell "$find_window")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))  # keys go to the window under the pointer
pointer_settle
shot find-b
xdotool type --delay 100 "eta"
shot find-beta
xdotool key Return
clipboard_holds "beta two" || fail "the clipboard holds '$(clipboard_text)' after finding \"beta\""
# Without a window manager Wine takes up to 2 s to withdraw a closed window.
poll 5 window_gone '^查找剪辑$' || fail "the find window stayed open after Enter"

# An HTML copy, put back as plain text through the clip pop-up.
printf '<b>bold</b> words' >"$APP_DIR/words.html"
x_copy text/html "$APP_DIR/words.html"
open_history_menu
menu_keys Up 1 Menu      # the newest clip, the last entry
menu_keys Down 2 Return  # "复制", "复制为纯文本"
# Text that Pellacor put there, and no HTML beside it.
plain_text_alone() {
    local targets
    targets=$(xclip -selection clipboard -o -t TARGETS 2>/dev/null) || return 1
    grep -qx UTF8_STRING <<<"$targets" && ! grep -q text/html <<<"$targets"
}
poll 10 plain_text_alone ||
    fail "the plain copy offers: $(xclip -selection clipboard -o -t TARGETS 2>/dev/null | tr '\n' ' ')"
stop_pellacor

# AutoPaste: the hot key in notepad, a clip picked, and notepad holds it.
write_ini "AutoPaste=1"
start_pellacor
copy_text "pasted at once"
copy_text "newer text"
open_editor
pick_with_hot_key Up 2
# Pellacor sends the paste right after the restore, so keys typed once the
# restore shows come after it in notepad's queue.
clipboard_holds "pasted at once" || fail "the pick put '$(clipboard_text)' on the clipboard"
# Read the editor back through the clipboard: a "!" typed after the paste
# tells notepad's text from the clip itself.
xdotool type "!"
xdotool key ctrl+a ctrl+c
clipboard_holds "pasted at once!" || fail "notepad holds '$(clipboard_text)' after the pick"
shot auto-pasted
stop_pellacor
echo ok
