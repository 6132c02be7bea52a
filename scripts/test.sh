#!/usr/bin/env bash
# Installs what is missing, builds everything (warnings are errors), then runs
# every test: native unit tests, Windows tests under Wine, desktop tests.
# Ends with one line "N passed, N failed" and a non-zero exit on any failure.
set -uo pipefail
source "$(dirname "$0")/env.sh"

passed=0
failed=0

# The layer order of the includes takes a second: checked before the long stages.
echo "== Layer order of the includes"
if "$ROOT/scripts/check-layers.sh" >/dev/null; then
    passed=$((passed + 1)); echo "   passed"
else
    failed=$((failed + 1)); echo "   FAILED"
fi

"$ROOT/scripts/install-deps.sh" || exit 1
PELLACOR_WERROR=ON PELLACOR_NATIVE=1 PELLACOR_TARGETS_WIN="--target all --target packages" "$ROOT/scripts/build.sh" || {
    echo "$passed passed, $((failed + 1)) failed"
    exit 1
}
ensure_display
ensure_wine_prefix
(export WINEPREFIX="$TESTS_WINEPREFIX"; ensure_wine_prefix unmanaged)
cleanup() {
    wineserver -k 2>/dev/null || true
    WINEPREFIX="$TESTS_WINEPREFIX" wineserver -k 2>/dev/null || true
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT

LOGS="$BUILD/test-logs"
mkdir -p "$LOGS"

# Adds the counts of one GoogleTest run; a run that printed no summary failed.
count_gtest() {
    local log=$1 rc=$2 p f
    p=$(grep -oE '^\[  PASSED  \] [0-9]+' "$log" | grep -oE '[0-9]+$' | tail -1)
    f=$(grep -oE '^\[  FAILED  \] [0-9]+ tests?,' "$log" | grep -oE '[0-9]+' | tail -1)
    p=${p:-0}
    f=${f:-0}
    if [ "$rc" -ne 0 ] && [ "$f" -eq 0 ]; then f=1; fi
    passed=$((passed + p))
    failed=$((failed + f))
    echo "   $p passed, $f failed"
}

echo "== Native unit tests"
"$NATIVE_BUILD/native_tests" >"$LOGS/native.log" 2>&1
count_gtest "$LOGS/native.log" $?
grep -E '^\[  FAILED  \]' "$LOGS/native.log" | head -20

wineserver -k 2>/dev/null; wineserver -w 2>/dev/null  # no Pellacor left holding the hot key
echo "== Windows tests under Wine"
# The desktop's opener is a logging stand-in: the shell tests check what it gets, and nothing opens.
(cd "$WIN_BUILD" && PATH="$ROOT/tests/opener:$PATH" PELLACOR_OPENER_LOG="$LOGS/opener.log" \
    WINEPREFIX="$TESTS_WINEPREFIX" timeout 600 "$WINE" ./windows_tests.exe) >"$LOGS/windows.log" 2>&1
count_gtest "$LOGS/windows.log" $?
grep -E '^\[  FAILED  \]' "$LOGS/windows.log" | head -20

# The tests of what depends on code pages once more, on a Windows whose ANSI code page is 1252.
echo "== Windows tests of texts and files under code page 1252"
(use_cp1252_prefix; ensure_wine_prefix >/dev/null  # managed: the desktop tests share it
 cd "$WIN_BUILD" && timeout 600 "$WINE" ./windows_tests.exe \
     --gtest_filter='SettingsFile*:CaptureTest*:Personal*:MediaClips*:Transform*:LocaleCase*:Duplicates*'
 rc=$?; wineserver -k 2>/dev/null; exit $rc) >"$LOGS/windows-cp1252.log" 2>&1
count_gtest "$LOGS/windows-cp1252.log" $?
grep -E '^\[  FAILED  \]' "$LOGS/windows-cp1252.log" | head -20

# Pellacor.ini and letter case on a Japanese and a Korean Windows (the locale Wine
# runs in sets the ANSI code page: 932, 949).
for locale in ja_JP.UTF-8 ko_KR.UTF-8; do
    echo "== Windows tests of Pellacor.ini under the code page of $locale"
    (cd "$WIN_BUILD" && WINEPREFIX="$TESTS_WINEPREFIX" PELLACOR_WINE_LOCALE=$locale timeout 300 "$WINE" \
         ./windows_tests.exe --gtest_filter='SettingsFile*:LocaleCase*'
     rc=$?; WINEPREFIX="$TESTS_WINEPREFIX" wineserver -k 2>/dev/null; exit $rc) >"$LOGS/windows-$locale.log" 2>&1
    count_gtest "$LOGS/windows-$locale.log" $?
    grep -E '^\[  FAILED  \]' "$LOGS/windows-$locale.log" | head -20
done

if [ -x "$ROOT/scripts/fuzz.sh" ]; then
    echo "== Fuzzing the personal history reader"
    if "$ROOT/scripts/fuzz.sh" >"$LOGS/fuzz.log" 2>&1; then
        passed=$((passed + 1)); echo "   passed"
    else
        failed=$((failed + 1)); echo "   FAILED (see $LOGS/fuzz.log)"; tail -20 "$LOGS/fuzz.log"
    fi
fi

echo "== Desktop tests (the real Pellacor.exe on $DISPLAY)"
desktop_started=$SECONDS
for t in "$ROOT"/tests/desktop/test_*.sh; do
    [ -e "$t" ] || continue
    name=$(basename "$t" .sh)
    started=$SECONDS
    if timeout 300 bash "$t" >"$LOGS/$name.log" 2>&1; then
        passed=$((passed + 1)); echo "   $name: passed ($((SECONDS - started)) s)"
    else
        failed=$((failed + 1)); echo "   $name: FAILED ($((SECONDS - started)) s)"; tail -15 "$LOGS/$name.log" | sed 's/^/      /'
    fi
done

echo "   desktop tests took $((SECONDS - desktop_started)) s"
echo "Logs in $LOGS, screenshots in $BUILD/screenshots"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
