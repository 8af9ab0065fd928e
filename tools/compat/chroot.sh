#!/bin/sh
# Debian chroots for the platform matrix, cached between runs.
#   chroot.sh prepare <suite>         make (or refresh) the chroot with the build tools
#   chroot.sh run <suite> <cmd...>    run a command inside it, /proc and /dev mounted
# The chroots live in $WS_COMPAT_CACHE (default /var/cache/winscore-compat).
set -eu
CACHE=${WS_COMPAT_CACHE:-/var/cache/winscore-compat}
MIRROR=${WS_COMPAT_MIRROR:-http://deb.debian.org/debian}
# mkoctfile and the headers: octave-dev since Octave 7, liboctave-dev before.
packages() {
  case $1 in
    bullseye) dev=liboctave-dev ;;
    *) dev=octave-dev ;;
  esac
  echo "g++ make cmake octave $dev libgtest-dev"
}
# An archive snapshot's Release file may be past its Valid-Until date by the
# machine's clock (unstable's lasts a week).
APT_OPTS="-o Acquire::Check-Valid-Until=false -o Acquire::Retries=3 -o DPkg::Lock::Timeout=1200"

root() { echo "$CACHE/$1"; }

mount_all() {
  r=$1
  mountpoint -q "$r/proc" || mount -t proc proc "$r/proc"
  mountpoint -q "$r/dev" || mount --bind /dev "$r/dev"
  mountpoint -q "$r/dev/pts" || mount --bind /dev/pts "$r/dev/pts"
}

umount_all() {
  r=$1
  for m in "$r/dev/pts" "$r/dev" "$r/proc"; do
    if mountpoint -q "$m"; then umount "$m" || umount -l "$m"; fi
  done
}

in_root() { # in_root <root> <cmd...>
  r=$1; shift
  mount_all "$r"
  trap 'umount_all "$r"' EXIT INT TERM
  cp /etc/resolv.conf "$r/etc/resolv.conf" 2>/dev/null || true
  status=0
  env -i HOME=/root LANG=C.UTF-8 PATH=/usr/sbin:/usr/bin:/sbin:/bin TERM=dumb \
    chroot "$r" "$@" || status=$?
  umount_all "$r"
  trap - EXIT INT TERM
  return $status
}

prepare() {
  suite=$1; r=$(root "$suite")
  command -v debootstrap >/dev/null || {
    apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y debootstrap; }
  if [ ! -f "$r/.debootstrap-done" ]; then
    rm -rf "$r"; mkdir -p "$CACHE"
    debootstrap --variant=minbase "$suite" "$r" "$MIRROR"
    touch "$r/.debootstrap-done"
  fi
  in_root "$r" sh -c "apt-get $APT_OPTS update -q &&
    DEBIAN_FRONTEND=noninteractive apt-get $APT_OPTS install -y -q --no-install-recommends $(packages "$suite") &&
    apt-get clean"
}

case ${1:-} in
  prepare) prepare "$2" ;;
  run) suite=$2; shift 2; in_root "$(root "$suite")" "$@" ;;
  *) echo "usage: $0 prepare <suite> | run <suite> <command...>" >&2; exit 2 ;;
esac
