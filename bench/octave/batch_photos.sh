#!/bin/sh
# SPDX-License-Identifier: MIT
# The batch benchmark's folder of photos: the fifteen photographs (1.5 to 16
# megapixels, JPEG, as their authors made them) of a Debian wallpaper package,
# fetched with `apt-get download` and unpacked with `dpkg-deb -x`, never
# installed. Usage: batch_photos.sh [DIR] (default build/batch-photos); a DIR
# that already holds them is left as it is. Prints DIR.
set -eu

dir=${1:-build/batch-photos}
package=lomiri-wallpapers-16.04

if ! ls "$dir"/*.jpg >/dev/null 2>&1; then
  mkdir -p "$dir"
  tmp=$(mktemp -d "$dir/fetch.XXXXXX")
  # A fresh machine may have no package lists yet: read them once, then retry.
  if ! (cd "$tmp" && apt-get download "$package" >/dev/null 2>&1); then
    if [ "$(id -u)" -ne 0 ]; then
      echo "batch_photos.sh: cannot download $package; as root run: apt-get update" >&2
      exit 1
    fi
    apt-get update -q >/dev/null
    (cd "$tmp" && apt-get download "$package" >/dev/null)
  fi
  dpkg-deb -x "$tmp"/"$package"_*.deb "$tmp/root"
  mv "$tmp"/root/usr/share/backgrounds/*.jpg "$dir"/
  rm -rf "$tmp"
fi
echo "$dir"
