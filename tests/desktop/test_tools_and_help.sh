#!/usr/bin/env bash
# The general menu's tools and help as a person uses them: "捕获屏幕" makes an
# image clip holding the screen's picture; "关于..." shows the system's About
# box, closed with its button; "内容..." and "主页..." open the help viewer on
# Pellacor.chm, whose pages are checked by extracting the compiled file (this
# Wine has no HTML engine, so the viewer shows the contents tree but no page).
source "$(dirname "$0")/lib.sh"

# --- The compiled help file beside the program.
CHM="$APP_DIR/Pellacor.chm"
[ -f "$CHM" ] || fail "no Pellacor.chm beside Pellacor.exe"
HELP="$APP_DIR/help"
chmls extractall "$CHM" "$HELP" >/dev/null 2>&1 || fail "chmls cannot read Pellacor.chm"
for page in index history-menu clip-popup preview general-menu preferences personal-history private hotkey exit; do
    [ -s "$HELP/$page.htm" ] || fail "the help lacks $page.htm"
done
[ -s "$HELP/Pellacor.hhc" ] && [ -s "$HELP/Pellacor.hhk" ] || fail "the help lacks its contents or index"
text=$(cat "$HELP"/*.htm "$HELP"/*.hhc "$HELP"/*.hhk | iconv -f GBK -t UTF-8) || fail "the pages are not GBK"
for words in 监视剪贴板 捕获屏幕 捕获窗口 清空剪贴板 参数选择 内容... 主页... 关于... 退出 复制 撤销 大写字母 \
    小写字母 混合字母 句首字母大写 移除前导空格 移除尾部空格 移除换行符 移除重复空格 发送邮件... 打开... \
    在新窗口中打开... 添加至个人历史 从个人历史中移除 改名 删除 全部删除 个人历史纪录 剪贴板历史纪录 预览模式 \
    Personal.dat Pellacor.ini Alt+V "Clipboard Viewer Ignore"; do
    grep -qF -- "$words" <<<"$text" || fail "the help never mentions $words"
done
# Every link of the pages, the contents and the index leads to a page (and an anchor) of the file.
for file in "$HELP"/*.htm "$HELP"/*.hhc "$HELP"/*.hhk; do
    for target in $(grep -oE '(href|value)="[a-z-]+\.htm(#[a-z]+)?"' "$file" | cut -d'"' -f2); do
        page=${target%%#*}
        [ -f "$HELP/$page" ] || fail "$(basename "$file") links to the missing $page"
        if [ "$page" != "$target" ]; then
            grep -q "name=\"${target#*#}\"" "$HELP/$page" || fail "$(basename "$file") links to a missing anchor $target"
        fi
    done
done

# --- 捕获屏幕: the picture on the clipboard and in the new clip is the screen's.
fresh_session
start_pellacor
pick_in_general_menu Down Down Down Right Return  # (past 查找剪辑...) 工具 > 捕获屏幕
xdotool mousemove 640 600  # away from the tray icon, whose tip would change the screen
poll 10 clipboard_offers image/bmp || fail "no picture on the clipboard after the capture"
import -window root "$APP_DIR/screen.png"
same_picture() {  # a BMP from the clipboard against the screenshot, pixel by pixel
    local differ
    differ=$(compare -metric AE "$1" "$APP_DIR/screen.png" null: 2>&1 || true)
    [ "${differ%% *}" -lt 2000 ] 2>/dev/null
}
xclip -selection clipboard -t image/bmp -o >"$APP_DIR/captured.bmp" 2>/dev/null || fail "no picture on the clipboard"
same_picture "$APP_DIR/captured.bmp" || fail "the captured picture is not the screen"
copy_text "copied after the capture"
pointer_on_tray
pick_with_hot_key Up 2  # the text, then the picture
poll 10 clipboard_offers image/bmp || true
xclip -selection clipboard -t image/bmp -o >"$APP_DIR/restored.bmp" 2>/dev/null || fail "no image clip to pick"
same_picture "$APP_DIR/restored.bmp" || fail "the image clip does not hold the screen's picture"

# --- 关于...: the system's About box with our texts and icon, closed with its button.
pick_in_general_menu Down Down Down Down Down Right Down Down Return  # (past 参数选择...) 帮助 > 关于...
about=$(wait_for_window 'PELLACOR#PELLACOR 1.61') || fail "no About box"
shot about-box
eval "$(xdotool getwindowgeometry --shell "$about")"
xdotool mousemove $((X + WIDTH - 80)) $((Y + HEIGHT - 28)) click 1  # its 确定 button
poll 10 window_gone 'PELLACOR#' || fail "the About box did not close"

# --- 内容... and 主页...: the help viewer on our file, at its start page for the home page.
help_viewer_args() {
    local pid
    for pid in $(pgrep -f 'hh\.exe' || true); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" &&
            tr '\0' ' ' <"/proc/$pid/cmdline"
    done
    return 0
}
help_viewer_gone() { [ -z "$(help_viewer_args)" ]; }
help_viewer_on_home_page() { help_viewer_args | grep -q 'Pellacor\.chm::/index\.htm'; }
pick_in_general_menu Down Down Down Down Down Right Return  # (past 参数选择...) 帮助 > 内容...
wait_for_window 'Pellacor 帮助' >/dev/null || fail "no help viewer"
# The viewer fills in its contents after its window shows, and nothing outside Wine tells when.
sleep 1
shot help-viewer
help_viewer_args | grep -q 'Pellacor\.chm' || fail "the help viewer shows another file"
"$WINE" taskkill /im hh.exe >/dev/null 2>&1 || true
poll 10 help_viewer_gone || fail "the help viewer did not end"
pick_in_general_menu Down Down Down Down Down Right Down Return  # (past 参数选择...) 帮助 > 主页...
poll 20 help_viewer_on_home_page || fail "the home page is not the help's start page"
stop_pellacor
echo ok
