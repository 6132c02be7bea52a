#!/usr/bin/env bash
# Runs a Windows program under Wine in code page 936 (GetACP() == 936), or in
# the locale PELLACOR_WINE_LOCALE names (see use_cp1252_prefix in env.sh).
# WINEPREFIX and DISPLAY come from the caller.
export WINEDEBUG="${WINEDEBUG:--all}"
exec env LC_ALL="${PELLACOR_WINE_LOCALE:-zh_CN.UTF-8}" wine "$@"
