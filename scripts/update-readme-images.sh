#!/usr/bin/env bash
# Refreshes the README's pictures in docs/images from the screenshots that the
# desktop tests leave in build/screenshots (run scripts/test.sh first), each
# cut to what is on the screen. A screenshot that is missing is named and skipped.
set -euo pipefail
source "$(dirname "$0")/env.sh"
SHOTS="$BUILD/screenshots"
IMAGES="$ROOT/docs/images"

# picture in docs/images    screenshot of the desktop tests    [notray: leave the tray out]
pictures=(
    "history-menu.png        test_clip_popup-personal-after-restart.png"
    "clip-popup.png          test_clip_popup-clip-popup.png"
    "preview.png             test_hover_preview-picture.png"
    "general-menu.png        test_tray_menus-general-menu.png"
    "help.png                test_tools_and_help-help-viewer.png"
    "preferences.png         test_preferences-page-general.png   notray"
    "find.png                test_find_and_paste-find-b.png"
    "find-archive.png        test_archive_survives_kill-find-archive.png   notray"
    "find-dark.png           test_dark_theme-find.png            notray"
    "preview-dark.png        test_dark_theme-preview.png"
    "history-menu-dark.png   test_dark_theme-history-menu.png"
    "preferences-dark.png    test_dark_theme-preferences.png     notray"
)

mkdir -p "$IMAGES"
missing=0
for line in "${pictures[@]}"; do
    read -r picture shot options <<<"$line"
    if [ ! -f "$SHOTS/$shot" ]; then
        echo "missing: $SHOTS/$shot (for $picture)"
        missing=1
        continue
    fi
    # The desktop is black: -trim keeps the tray and the program's windows.
    # The tray window sits at the top left; a dialog in the middle is shown without it.
    cover=()
    [ "${options:-}" = notray ] && cover=(-fill black -draw "rectangle 0,0 200,60")
    convert "$SHOTS/$shot" "${cover[@]}" -trim +repage -strip "$IMAGES/$picture"
    echo "$picture <- $shot"
done
exit "$missing"
