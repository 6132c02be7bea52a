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
# Moves down one entry and rests there a little longer than the 1.3 s delay.
rest_on_next() {
    xdotool key Down
    sleep 2.2
}

pointer_on_tray
xdotool key alt+v
sleep 1
rest_on_next  # the personal history's "empty" marker
[ -z "$(preview_caption)" ] || fail "a marker showed a preview: $(preview_caption)"
rest_on_next
shot picture
caption=$(preview_caption)
[[ $caption == *"格式 : 图像"*"尺寸 : 64 x 48"* ]] || fail "no picture preview: '$caption'"
rest_on_next
shot file-list
caption=$(preview_caption)
[[ $caption == *"包含 : 2 对象"*one.txt*two.txt* ]] || fail "no file-list preview: '$caption'"
rest_on_next
shot text
caption=$(preview_caption)
[[ $caption == *"长度 : 17 字符"*"状态 : 在剪贴板中"*"a text after them"* ]] || fail "no text preview: '$caption'"
xdotool key Escape
sleep 0.5
[ -z "$(preview_caption)" ] || fail "the preview stayed after the menu closed"
stop_pellacor

write_ini "PreviewMode=0"
start_pellacor
copy_text "no preview for me"
pointer_on_tray
xdotool key alt+v
sleep 1
xdotool key Up  # the newest clip
sleep 2.5
shot preview-mode-off
[ -z "$(preview_caption)" ] || fail "a preview appeared with PreviewMode=0: $(preview_caption)"
xdotool key Escape
stop_pellacor
echo ok
