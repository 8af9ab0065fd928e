#!/bin/sh
# Debian chroots for the platform matrix, cached between runs.
#   chroot.sh prepare <suite>         make (or refresh) the chroot with the build tools
#   chroot.sh run <suite> <cmd...>    run a command inside it, /proc and /dev mounted
# The chroots live in $WS_COMPAT_CACHE (default /var/cache/winscore-compat).
set -eu
CACHE=${WS_COMPAT_CACHE:-/var/cache/winscore-compat}

# The archive this machine installs its own release from: the first source, in
# /etc/apt/sources.list or sources.list.d (one-line or deb822 form), that serves
# the machine's own suite. WS_COMPAT_MIRROR overrides it.
host_mirror() {
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  [ -n "$codename" ] || return 1
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk -v suite="$codename" '
      /^[ \t]*#/ { next }
      $1 == "deb" {                      # deb [options] URI suite component...
        i = 2; if ($i ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
        if ($(i + 1) == suite) { uri = $i; types = hit = 1; exit }
        next
      }
      /^[ \t]*$/ { if (types && hit) exit; types = hit = 0; uri = ""; next }
      tolower($1) == "types:" { for (i = 2; i <= NF; i++) if ($i == "deb") types = 1 }
      tolower($1) == "uris:" { uri = $2 }
      tolower($1) == "suites:" { for (i = 2; i <= NF; i++) if ($i == suite) hit = 1 }
      END { if (types && hit && uri != "") print uri }
    ' "$f" | head -n 1
  done | head -n 1
}
MIRROR=${WS_COMPAT_MIRROR:-$(host_mirror)}
# mkoctfile and the headers: octave-dev since Octave 7, liboctave-dev before.
packages() {
  case $1 in
    bullseye) dev=liboctave-dev ;;
    *) dev=octave-dev ;;
  esac
  echo "g++ make cmake octave $dev libgtest-dev parallel"
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
    [ -n "$MIRROR" ] || {
      echo "no Debian archive found in this machine's apt sources: set WS_COMPAT_MIRROR" >&2
      exit 1; }
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
  mirror) echo "$MIRROR" ;;
  *) echo "usage: $0 prepare <suite> | run <suite> <command...> | mirror" >&2; exit 2 ;;
esac
