#!/bin/sh
# SPDX-License-Identifier: MIT
# Makes the benchmark photos: real photographs from a Debian wallpaper package,
# fetched with `apt-get download` and unpacked with `dpkg-deb -x` (never
# installed), then cropped to the target's aspect and scaled down to about
# 0.2, 0.8, 2, 4 and 12 megapixels. None is scaled up. Everything stays in DIR
# (default build/photos); a photo already made is kept.
# Usage: photos.sh [DIR]. Prints one line per photo: name, file, W, H, source.
set -eu

dir=${1:-build/photos}
package=lomiri-wallpapers-16.04
unpacked=$dir/$package

# name  width  height  source file in the package (its own size)
list='fig        600  400 Picture_0B_by_freespace.jpg
mountains 1024  768 picosdeeuropa_by_Aitzol_Berasategi.jpg
dandelions 1920 1080 seeding_by_Clements_Engelhardt.jpg
sunset    2560 1600 sunset_by_Aitzol_Berasategi.jpg
dragonfly 4000 3000 Dragonfly_by_Bolly.jpg'

fetch() {
  mkdir -p "$dir"
  tmp=$(mktemp -d "$dir/fetch.XXXXXX")
  # A fresh machine may have no package lists yet: read them once, then retry.
  if ! (cd "$tmp" && apt-get download "$package" >/dev/null 2>&1); then
    if [ "$(id -u)" -ne 0 ]; then
      echo "photos.sh: cannot download $package; as root run: apt-get update" >&2
      exit 1
    fi
    apt-get update -q >/dev/null
    (cd "$tmp" && apt-get download "$package" >/dev/null)
  fi
  dpkg-deb -x "$tmp"/"$package"_*.deb "$tmp/root"
  rm -rf "$unpacked"
  mv "$tmp/root/usr/share/backgrounds" "$unpacked"
  rm -rf "$tmp"
}

echo "$list" | while read -r name width height source; do
  out=$dir/$name-${width}x$height.png
  if [ ! -s "$out" ]; then
    [ -s "$unpacked/$source" ] || fetch
    # Fill WxH (scale so that both sides cover it), then crop the centre; an
    # 8-bit RGB PNG, so every reader sees the same pixels.
    convert "$unpacked/$source" -resize "${width}x$height^" -gravity center \
      -extent "${width}x$height" -strip -depth 8 "PNG24:$out.tmp"
    mv "$out.tmp" "$out"
  fi
  printf '%s\t%s\t%s\t%s\t%s\n' "$name" "$out" "$width" "$height" \
    "$source ($(identify -format '%w x %h' "$unpacked/$source" 2>/dev/null || echo '?'))"
done
