#!/usr/bin/env bash
# Draws the clip-kind icons of the history menu into res/kinds/*.ico, each
# with images of 16, 20, 24, 32 and 48 pixels, and the two tray icons into
# res/tray/*.ico, with images of 16, 20, 24, 32, 40, 48 and 64 pixels: each
# image drawn at its size (never stretched from another), so the menu and the
# notification area find a sharp image at 100 % to 300 % (the tray to 400 %).
# The icons are committed: the build does not run this.
# Needs ImageMagick (scripts/install-deps.sh installs it).
set -euo pipefail
res="$(cd "$(dirname "$0")/.." && pwd)/res"
out="$res/kinds"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# Each icon is drawn on a 16 x 16 grid (MVG primitives) whose whole numbers
# are pixel edges, scaled to the size (ImageMagick puts pixel centres on whole
# numbers: hence the half-pixel shift). One-pixel lines sit on half pixels so
# that they are crisp at 16 and 32 pixels.
page='fill white stroke #5A6470 stroke-width 1 path "M 2.5,0.5 L 10.5,0.5 L 13.5,3.5 L 13.5,15.5 L 2.5,15.5 Z"
      fill #D8DEE6 path "M 10.5,0.5 L 10.5,3.5 L 13.5,3.5 Z" fill none'
declare -A kinds=(
    [text]="$page stroke #3C4650 line 4.5,6.5 11.5,6.5 line 4.5,8.5 11.5,8.5 line 4.5,10.5 11.5,10.5 line 4.5,12.5 9.5,12.5"
    [rich-text]="$page stroke #C0392B line 4.5,6.5 11.5,6.5 stroke #2E6FD0 line 4.5,8.5 11.5,8.5
                 stroke #2E9E48 line 4.5,10.5 11.5,10.5 stroke #8E44AD line 4.5,12.5 9.5,12.5"
    [html]='fill #3D8FE0 stroke #1D5FA8 stroke-width 1 circle 8,8 8,1
            fill none stroke #E8F2FC ellipse 8,8 3,6.5 0,360 line 1.5,8 14.5,8 line 2.5,4.5 13.5,4.5 line 2.5,11.5 13.5,11.5'
    [picture]='fill #9CD0F4 stroke #4A5864 stroke-width 1 rectangle 0.5,2.5 15.5,13.5
               stroke none fill #F5C518 circle 11.5,6 11.5,4.2
               fill #3E9B4F path "M 1,13 L 6,7 L 10,11 L 12,9 L 15,13 Z"'
    [files]='fill #E8B13A stroke #9A6E12 stroke-width 1 path "M 0.5,3.5 L 5.5,3.5 L 7.5,5.5 L 15.5,5.5 L 15.5,13.5 L 0.5,13.5 Z"
             fill #F6CD64 path "M 0.5,7.5 L 15.5,7.5 L 15.5,13.5 L 0.5,13.5 Z"'
    [sound]='fill #4A5864 stroke #2C3640 stroke-width 1 path "M 1.5,5.5 L 4.5,5.5 L 8.5,2.5 L 8.5,13.5 L 4.5,10.5 L 1.5,10.5 Z"
             fill none stroke #2E6FD0 arc 6,4 12,12 -60,60 arc 6,1.5 15,14.5 -60,60'
    [link]='fill none stroke #2E6FD0 stroke-width 2 roundrectangle 1,5 9,11 3,3
            stroke #1D5FA8 roundrectangle 7,5 15,11 3,3'
)
# The order of the clip kinds: the resource of kind n is 100 + n.
order=(text rich-text html picture files sound link)

# Writes `file`.ico from the MVG `drawing`, drawn anew at each of the sizes given.
draw_icon() { # file drawing size...
    local file=$1 drawing=$2 size scale images=()
    shift 2
    for size in "$@"; do
        scale=$(awk "BEGIN { print $size / 16 }")
        convert -size "${size}x${size}" xc:none -draw "affine $scale,0,0,$scale,-0.5,-0.5 $drawing" \
            "PNG32:$work/$(basename "$file")-$size.png"
        images+=("$work/$(basename "$file")-$size.png")
    done
    convert "${images[@]}" "$file.ico"
}

for name in "${order[@]}"; do draw_icon "$out/$name" "${kinds[$name]}" 16 20 24 32 48; done
# The tray icon: a clipboard with a written page. On a light taskbar its
# outline and clip are dark; on a dark taskbar they are light.
tray() { # outline clip
    echo "fill #8B5A2B stroke $1 stroke-width 1 roundrectangle 2.5,1.5 13.5,15.5 1.5,1.5
          stroke none fill white rectangle 4,4 12,14
          stroke #2E6FD0 stroke-width 1 line 5,6.5 11,6.5 line 5,8.5 11,8.5 line 5,10.5 9,10.5
          fill $2 stroke $1 roundrectangle 5.5,0.5 10.5,3.5 1,1"
}
mkdir -p "$res/tray"
draw_icon "$res/tray/light-taskbar" "$(tray "#4A2E12" "#505A64")" 16 20 24 32 40 48 64
draw_icon "$res/tray/dark-taskbar" "$(tray "#F2E6D6" "#D8DEE6")" 16 20 24 32 40 48 64
echo "Wrote ${#order[@]} icons to $out and two to $res/tray"
