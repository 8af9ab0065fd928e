#!/bin/sh
# SPDX-License-Identifier: MIT
# Makes the benchmark photos: real photographs from a Debian wallpaper package
# (fetched by octave/batch_photos.sh into build/batch-photos, never installed),
# cropped to the target's aspect and scaled down to about 0.2, 0.8, 2, 4 and
# 12 megapixels. None is scaled up. The photos go to DIR (default
# build/photos); a photo already made is kept.
# Usage: photos.sh [DIR]. Prints one line per photo: name, file, W, H, source.
set -eu

dir=${1:-build/photos}
sources=build/batch-photos  # the package's photographs, as the batch benchmark keeps them

# name  width  height  source file in the package
list='fig        600  400 Picture_0B_by_freespace.jpg
mountains 1024  768 picosdeeuropa_by_Aitzol_Berasategi.jpg
dandelions 1920 1080 seeding_by_Clements_Engelhardt.jpg
sunset    2560 1600 sunset_by_Aitzol_Berasategi.jpg
dragonfly 4000 3000 Dragonfly_by_Bolly.jpg'

mkdir -p "$dir"
echo "$list" | while read -r name width height source; do
  out=$dir/$name-${width}x$height.png
  if [ ! -s "$out" ]; then
    [ -s "$sources/$source" ] || "$(dirname "$0")/octave/batch_photos.sh" "$sources" >/dev/null
    # Fill WxH (scale so that both sides cover it), then crop the centre; an
    # 8-bit RGB PNG, so every reader sees the same pixels.
    convert "$sources/$source" -resize "${width}x$height^" -gravity center \
      -extent "${width}x$height" -strip -depth 8 "PNG24:$out.tmp"
    mv "$out.tmp" "$out"
  fi
  printf '%s\t%s\t%s\t%s\t%s\n' "$name" "$out" "$width" "$height" \
    "$source ($(identify -format '%w x %h' "$sources/$source" 2>/dev/null || echo '?'))"
done
