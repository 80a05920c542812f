#!/usr/bin/env bash
# Regenerates the placeholder icons of platform/win32/res with ImageMagick:
# the application icon (resource 159) and the 16 x 16 list icons. The
# generated files are committed; building never runs this.
set -euo pipefail
cd "$(dirname "$0")/../platform/win32/res"
convert -size 64x64 xc:none -fill '#101010' -draw 'roundrectangle 4,2 60,62 22,22' \
    -fill '#ffc600' -draw 'rectangle 30,6 34,26' -fill '#ffbc07' -draw 'roundrectangle 14,30 50,56 10,10' \
    -define icon:auto-resize=48,32,16 app.ico
for spec in 169:'#e04040' 170:'#40a0e0' 171:'#40c060' 172:'#e0c040' 173:'#c060e0' 174:'#60d0d0' \
            175:'#e08040' 178:'#a0a0a0' 182:'#ffffff'; do
    id=${spec%%:*}
    colour=${spec#*:}
    convert -size 16x16 xc:none -fill "$colour" -draw 'roundrectangle 2,2 13,13 3,3' -fill '#000000' \
        -draw 'point 7,7' -define icon:auto-resize=16 "list_$id.ico"
done
