#!/usr/bin/env bash
# Resting on an entry of the open history menu shows its preview beside the
# menu, which keeps the keyboard: a picture, a file list and a text. Markers
# show nothing, closing the menu hides the preview, and with PreviewMode=0
# nothing ever appears.
source "$(dirname "$0")/lib.sh"
fresh_session
start_pellacor

copy_picture_and_files
copy_text "a text after them"

# The caption of the preview on screen (line breaks as "|"), or nothing.
preview_caption() {
    local window
    window=$(xdotool search --onlyvisible --name '格式 : ' 2>/dev/null | head -1 || true)
    [ -n "$window" ] && xdotool getwindowname "$window" | tr '\r\n' '||'
    return 0
}
preview_matches() { [[ $(preview_caption) == $1 ]]; }
no_preview() { [ -z "$(preview_caption)" ]; }
# The preview comes 1.3 s after the selection rests on an entry: that none
# comes can only be seen by resting a little longer.
rest_past_preview_delay() { sleep 2.2; }
# Moves down one entry and waits up to 10 s for a preview whose caption matches `pattern`.
next_shows() {
    xdotool key Down
    poll 10 preview_matches "$1" || fail "no preview like '$1', but '$(preview_caption)'"
}

pointer_on_tray
xdotool key alt+v
wait_until 10 menus_open 1
xdotool key Down  # the personal history's "empty" marker
rest_past_preview_delay
no_preview || fail "a marker showed a preview: $(preview_caption)"
next_shows "*格式 : 图像*尺寸 : 64 x 48*"
shot picture
next_shows "*包含 : 2 对象*one.txt*two.txt*"
shot file-list
next_shows "*长度 : 17 字符*状态 : 在剪贴板中*a text after them*"
shot text
close_menu
poll 5 no_preview || fail "the preview stayed after the menu closed"
stop_pellacor

write_ini "PreviewMode=0"
start_pellacor
copy_text "no preview for me"
pointer_on_tray
xdotool key alt+v
wait_until 10 menus_open 1
xdotool key Up  # the newest clip
rest_past_preview_delay
shot preview-mode-off
no_preview || fail "a preview appeared with PreviewMode=0: $(preview_caption)"
xdotool key Escape
stop_pellacor
echo ok
