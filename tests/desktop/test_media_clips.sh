#!/usr/bin/env bash
# A picture and a file list copied by X programs become clips; picking them
# puts a picture and a file list back on the clipboard.
source "$(dirname "$0")/lib.sh"
fresh_session
start_pellacor

copy_picture_and_files
copy_text "a text after them"

pointer_on_tray
pick_with_hot_key Up 3 menu-picture-selected  # picture, file list, text: the picture is third from the bottom
poll 10 clipboard_offers image/bmp || true
targets=$(xclip -selection clipboard -o -t TARGETS 2>/dev/null || true)
echo "$targets" | grep -q 'image/bmp' || fail "no picture on the clipboard after picking the image clip: $targets"

pick_with_hot_key Up 2
poll 10 clipboard_offers text/uri-list || true
targets=$(xclip -selection clipboard -o -t TARGETS 2>/dev/null || true)
echo "$targets" | grep -q 'text/uri-list' || fail "no file list on the clipboard after picking the file clip: $targets"
# Wine writes every byte of a path as %XX: decode before looking for the names.
uris=$(xclip -selection clipboard -o -t text/uri-list 2>/dev/null || true)
uris=$(printf '%b' "${uris//%/\\x}")
echo "$uris" | grep -q 'one.txt' || fail "the file list lost its files: $uris"
echo "$uris" | grep -q 'two.txt' || fail "the file list lost its second file: $uris"
stop_pellacor
echo ok
