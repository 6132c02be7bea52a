#!/usr/bin/env bash
# The portable zip holds exactly the program as built, its help and the
# read-me (UTF-8 with a byte order mark, Chinese and English); unpacked into a
# folder of its own, the program starts and keeps its settings there.
source "$(dirname "$0")/lib.sh"
ZIP="$BUILD/dist/Pellacor-1.61.zip"
[ -f "$ZIP" ] || fail "no $ZIP (scripts/package.sh makes it)"
names=$(cmake -E tar tf "$ZIP" | sort | tr '\n' ' ')
[ "$names" = "Pellacor.chm Pellacor.exe ReadMe.txt " ] || fail "the zip holds: $names"

rm -rf "$APP_DIR"/*
(cd "$APP_DIR" && cmake -E tar xf "$ZIP")
cmp -s "$WIN_BUILD/Pellacor.exe" "$APP_DIR/Pellacor.exe" || fail "the zipped program is not the one built"
cmp -s "$WIN_BUILD/Pellacor.chm" "$APP_DIR/Pellacor.chm" || fail "the zipped help is not the one built"
[ "$(head -c 3 "$APP_DIR/ReadMe.txt" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "the read-me has no byte order mark"
grep -q "Pellacor 1.61 便携版" "$APP_DIR/ReadMe.txt" && grep -q "Pellacor 1.61 portable" "$APP_DIR/ReadMe.txt" ||
    fail "the read-me lacks its Chinese or English part"

fresh_session
start_pellacor
stop_pellacor
[ -f "$APP_DIR/Pellacor.ini" ] || fail "no Pellacor.ini beside the unpacked program"
echo ok
