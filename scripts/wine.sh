#!/usr/bin/env bash
# Runs a Windows program under Wine in code page 936 (GetACP() == 936).
# WINEPREFIX and DISPLAY come from the caller.
export WINEDEBUG="${WINEDEBUG:--all}"
exec env LC_ALL=zh_CN.UTF-8 wine "$@"
