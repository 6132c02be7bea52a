# Shared settings of the build, run and test scripts (sourced, not run).
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${PELLACOR_BUILD:-$ROOT/build}"
WIN_BUILD="$BUILD/windows"
NATIVE_BUILD="$BUILD/native"
export WINEPREFIX="$WIN_BUILD/wineprefix"
# The Windows tests get a prefix of their own whose windows are unmanaged (see
# ensure_wine_prefix); the program itself and its desktop tests run managed,
# where the keyboard goes to the window under the pointer as on a plain desktop.
TESTS_WINEPREFIX="$WIN_BUILD/wineprefix-tests"
export WINEDEBUG=-all
export WINEARCH=win64
# Wine runs with LC_ALL=zh_CN.UTF-8 (code page 936) through scripts/wine.sh;
# the prefix must be made under the same locale.
WINE="$ROOT/scripts/wine.sh"
# No Mono or Gecko; and no menu entries or icons written into $HOME for the
# shortcuts an installer makes in the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

cmake_generator() {
    if command -v ninja >/dev/null 2>&1; then echo "-G Ninja"; fi
}

# A Windows whose language for non-Unicode programs is not Chinese: a prefix of
# its own, made and run with an English locale (ANSI code page 1252). Call
# before ensure_wine_prefix.
use_cp1252_prefix() {
    export WINEPREFIX="$WIN_BUILD/wineprefix-cp1252"
    export PELLACOR_WINE_LOCALE=en_US.UTF-8
}

# Creates the private Wine prefix (WINEPREFIX) once; `unmanaged` makes its windows unmanaged.
ensure_wine_prefix() {
    local locale="${PELLACOR_WINE_LOCALE:-zh_CN.UTF-8}"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix in $WINEPREFIX ($locale)"
        mkdir -p "$WINEPREFIX"
        env LC_ALL="$locale" wineboot -i >/dev/null 2>&1 || true
        wineserver -w
    fi
    # No sound card: no ALSA complaints.
    if [ ! -f "$WINEPREFIX/.pellacor-quiet" ]; then
        env LC_ALL="$locale" wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d '' /f >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.pellacor-quiet"
    fi
    # Windows in any language draws Chinese in menus and boxes by linking a
    # Chinese font to its interface fonts; a prefix made in another locale
    # gets the same links, or it shows boxes instead of Chinese characters.
    if [ "$locale" != zh_CN.UTF-8 ] && [ ! -f "$WINEPREFIX/.pellacor-fontlink" ]; then
        local face
        for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "Segoe UI"; do
            env LC_ALL="$locale" wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
                /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
        done
        wineserver -w
        touch "$WINEPREFIX/.pellacor-fontlink"
    fi
    # Without a window manager Wine waits up to 2 s for every closed dialog or
    # message box unless its windows are unmanaged (it then also draws their
    # captions); but unmanaged windows take the keyboard focus for themselves,
    # which a test driving menus with keys from outside cannot follow. The
    # desktop tests keep theirs managed and answer Wine's wait with
    # tests/desktop/wm_state.c instead.
    if [ "${1:-}" = unmanaged ] && [ ! -f "$WINEPREFIX/.pellacor-unmanaged" ]; then
        env LC_ALL="$locale" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.pellacor-unmanaged"
    fi
}

# Uses the display there is, or starts Xvfb on a free one and says so.
ensure_display() {
    if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then return; fi
    local n=91
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    echo "No display: started Xvfb on $DISPLAY"
}
