#!/usr/bin/env bash
# A damaged Personal.dat in a folder that refuses renames at start-up can be
# neither read completely nor moved aside. Even when the folder takes renames
# again before the exit, the file is never overwritten: the clips of the run
# are saved beside it as Personal.dat.new, and the user is told so.
source "$(dirname "$0")/lib.sh"
DATA="$(dirname "$0")/data"
fresh_session
head -c -5 "$DATA/Personal-three.dat" >"$APP_DIR/Personal.dat"  # the third clip is cut short
cp "$APP_DIR/Personal.dat" "$BUILD/desktop/$TEST_NAME.original"
write_ini "HotKeyOn=0"
touch "$APP_DIR/wine.log"
# Renames fail in an immutable folder (files already in it stay writable).
if ! chattr +i "$APP_DIR" 2>/dev/null; then
    echo "skipped: this file system or user cannot make a folder immutable (chattr +i)"
    exit 0
fi
trap 'chattr -i "$APP_DIR" 2>/dev/null; wineserver -k 2>/dev/null || true' EXIT

(cd "$APP_DIR" && "$WINE" ./Pellacor.exe >>"$APP_DIR/wine.log" 2>&1 &)
wait_for_window PELLACOR >/dev/null || fail "no message about the damaged file"
shot load-message
chattr -i "$APP_DIR"  # renames work again from now on
answer_box PELLACOR
wait_until_ready

"$WINE" taskkill /im Pellacor.exe >/dev/null 2>&1 || true
wait_for_window PELLACOR >/dev/null || fail "no message about the clips saved beside the file"
shot exit-message
answer_box "PELLACOR"
poll 20 pellacor_gone || fail "Pellacor did not exit"

cmp "$BUILD/desktop/$TEST_NAME.original" "$APP_DIR/Personal.dat" || fail "Personal.dat was overwritten"
[ -f "$APP_DIR/Personal.dat.new" ] || fail "the personal clips were not saved beside it"
grep -q "alpha personal clip" "$APP_DIR/Personal.dat.new" || fail "Personal.dat.new lacks the clips that were read"
echo ok
