#!/usr/bin/env bash
# "发送邮件..." in the clip pop-up hands the clip's text to the desktop's mail
# program whole: "&", "#" and Chinese characters arrive percent-encoded.
source "$(dirname "$0")/lib.sh"
fresh_session
start_pellacor
copy_text "mail me & you #1 中"
open_history_menu
menu_keys Up 1 Menu      # the newest clip, the last entry
menu_keys Down 4 Return  # "复制", "复制为纯文本", "格式", "发送邮件..."
expected="xdg-email mailto:?body=mail%20me%20%26%20you%20%231%20%E4%B8%AD"
poll 10 grep -qxF "$expected" "$OPENER_LOG" 2>/dev/null || fail "the mail program got '$(cat "$OPENER_LOG" 2>/dev/null)'"
stop_pellacor
echo ok
