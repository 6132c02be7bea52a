#!/usr/bin/env bash
# Draws the clip-kind icons of the history menu into res/kinds/*.ico, each
# with images of 16, 20, 24, 32 and 48 pixels, drawn at each size (never
# stretched from another), so the menu finds a sharp image at 100 %, 125 %,
# 150 %, 200 % and 300 %. The icons are committed: the build does not run this.
# Needs ImageMagick (scripts/install-deps.sh installs it).
set -euo pipefail
out="$(cd "$(dirname "$0")/.." && pwd)/res/kinds"
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

for name in "${order[@]}"; do
    images=()
    for size in 16 20 24 32 48; do
        scale=$(awk "BEGIN { print $size / 16 }")
        convert -size "${size}x${size}" xc:none -draw "affine $scale,0,0,$scale,-0.5,-0.5 ${kinds[$name]}" \
            "PNG32:$work/$name-$size.png"
        images+=("$work/$name-$size.png")
    done
    convert "${images[@]}" "$out/$name.ico"
done
echo "Wrote ${#order[@]} icons to $out"
