#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Pellacor need.
# Does nothing when they are all present, so a second run costs a second.
set -euo pipefail

packages=(cmake g++ googletest g++-mingw-w64-x86-64 mingw-w64-tools wine wine64
          xvfb xdotool xclip imagemagick fonts-wqy-microhei ninja-build
          clang libclang-rt-14-dev locales fp-utils nsis libx11-dev)

# npm fetches SQLite (scripts/fetch-sqlite.sh); Debian's package where the machine has none.
command -v npm >/dev/null 2>&1 || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine maps file names through the Unix locale: without a generated zh_CN.UTF-8
# it cannot create files or folders with Chinese names.
# The same for en_US.UTF-8, the locale of the code-page-1252 test prefix, and
# for the Japanese and Korean ones the settings tests also run in.
for name in zh_CN en_US ja_JP ko_KR; do
    if ! locale -a 2>/dev/null | grep -qi "^$name\.utf-\?8$"; then
        echo "Generating the $name.UTF-8 locale"
        $sudo localedef -i "$name" -f UTF-8 "$name.UTF-8"
    fi
done
