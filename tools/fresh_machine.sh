#!/usr/bin/env bash
# Proves the README's first command on a machine that has nothing: makes a
# minimal Debian root with mmdebstrap from this machine's own apt sources,
# clones the commit under test into it, and runs `./run demo` there as a
# newcomer would, then `./run install`. Passes when the demo exits 0 with its
# renders, plots and picture of the panel in out/, and the plug-ins land where
# the README says (Molvex.so in ~/.vst, Molvex.lv2 in ~/.lv2).
#   tools/fresh_machine.sh          the demo and the install (./run test's step)
#   tools/fresh_machine.sh --test   `./run test` itself in the fresh root (by hand;
#                                   it installs every group and takes long)
#   tools/fresh_machine.sh --cache  print the folder the base root is kept in
#   tools/fresh_machine.sh --package DEB
#                                   install the release package there as a user would
#                                   (tools/package_in_root.sh), check that Ardour's VST 2
#                                   scanner, lv2ls and plughost find every format, remove it
# Needs root (mmdebstrap, chroot, mounts). The base root is kept as a tarball
# in MOLVEX_FRESH_CACHE (default ~/.cache/molvex-fresh), made anew when the
# apt sources change, and the downloaded packages beside it, so a later run
# pays only for unpacking and installing. The root itself is made anew every
# run and removed afterwards. /proc and /dev are mounted inside a mount
# namespace of the run's own, and unmounted on every way out; were anything
# left behind, it dies with the namespace and is never seen from outside, so
# removing the root can never reach the machine's own /dev.
# Ends with "step-counts: N passed, N failed, N skipped". Without a mirror
# to make the base root from, the check is skipped and says why.
set -uo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

mode=demo deb=''
case "${1:-}" in
  --test) mode=test ;;
  --cache) mode=cache ;;
  --package)
    mode=package deb=${2:-}
    [ -f "$deb" ] || { echo "usage: tools/fresh_machine.sh --package DEB" >&2; exit 2; }
    deb=$(realpath "$deb")
    ;;
esac

counts() { echo "step-counts: $1 passed, $2 failed, $3 skipped"; }
fail() {
  echo "fresh machine: $*" >&2
  counts 0 1 0
  exit 1
}
skip() {
  echo "skipped: fresh machine: $*"
  counts 0 0 1
  exit 0
}

# Where HOME is not set (a bare CI or cron environment) the password
# database still knows root's home; tilde expansion asks it.
cache=${MOLVEX_FRESH_CACHE:-${XDG_CACHE_HOME:-${HOME:-~}/.cache}/molvex-fresh}
[ $mode = cache ] && { echo "$cache"; exit 0; }

[ -z "${MOLVEX_IN_FRESH_ROOT:-}" ] || skip "this already is a fresh root"
[ "$(id -u)" -eq 0 ] || skip "needs root (mmdebstrap, chroot and mounts)"
command -v mmdebstrap >/dev/null || skip "mmdebstrap is not installed"
command -v git >/dev/null || skip "git is not installed"

mkdir -p "$cache/archives/partial" || fail "cannot make $cache"

# This machine's own sources, as files mmdebstrap reads.
sources=()
[ -s /etc/apt/sources.list ] && sources+=(/etc/apt/sources.list)
for f in /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
  [ -s "$f" ] && sources+=("$f")
done
[ ${#sources[@]} -gt 0 ] || skip "this machine has no apt sources to make a root from"
suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
[ -n "$suite" ] || skip "cannot tell this machine's Debian release (/etc/os-release)"
key=$(cat "${sources[@]}" | sha256sum | cut -c1-12)
base=$cache/$suite-minbase-$key.tar

# A tarball is whole when tar reads it to its end and it holds apt, which
# every fresh root needs. A base root kept from an interrupted or older run
# may be a folder, an empty file or a cut-off tarball; any of them would
# fail every later run.
# mmdebstrap names its members from "./".
whole_root() { tar -tf "$1" ./usr/bin/apt-get >/dev/null 2>&1; }
if [ -e "$base" ] && ! whole_root "$base"; then
  echo "== the kept base root $base is no readable tarball; making it anew"
  rm -rf --one-file-system "$base"
fi

if [ ! -e "$base" ]; then
  echo "== making the base root $base (once per set of apt sources)"
  log=$(mktemp)
  # mmdebstrap takes a target whose name has no tar suffix for a folder, so
  # the format is named; the tarball takes its place only when complete.
  rm -rf --one-file-system "$base.part"
  if ! mmdebstrap --variant=minbase --format=tar --include=ca-certificates "$suite" \
    "$base.part" "${sources[@]}" >"$log" 2>&1; then
    reason=$(grep -m1 -E '^(E|W): ' "$log" | cut -c1-200)
    rm -rf --one-file-system "$log" "$base.part"
    skip "no root could be made from the package mirror (${reason:-mmdebstrap failed})"
  fi
  rm -f "$log"
  whole_root "$base.part" || {
    rm -rf --one-file-system "$base.part"
    fail "mmdebstrap exited 0 but wrote no readable tarball $base.part"
  }
  mv "$base.part" "$base"
fi

root=$(mktemp -d "$cache/root.XXXXXX") || fail "cannot make a root folder in $cache"
trap 'rm -rf --one-file-system "$root"' EXIT
echo "== unpacking the base root into $root"
tar -xf "$base" -C "$root" || fail "cannot unpack $base"
cp -L /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true

if [ $mode = package ]; then
  cp "$deb" tools/package_in_root.sh "$root/root/" || fail "cannot copy the package into the root"
  inside="cd /root && ./package_in_root.sh install ./$(basename "$deb")"
else
  commit=$(git -C "$repo" rev-parse HEAD) || fail "$repo is not a git checkout"
  echo "== cloning commit $commit into the root"
  git clone -q --no-hardlinks "$repo" "$root/root/molvex" &&
    git -C "$root/root/molvex" checkout -q --detach "$commit" || fail "cannot clone $repo"
  if [ $mode = test ]; then
    inside='cd /root/molvex && ./run test'
  else
    inside='cd /root/molvex && ./run demo && ./run install'
  fi
fi

# The part that runs inside the private mount namespace.
inner() {
  local root=$1 archives=$2 command=$3
  cleanup() {
    # Programs the demo left behind (a virtual X server) hold the mounts.
    local p
    for p in /proc/[0-9]*; do
      [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill -9 "${p#/proc/}" 2>/dev/null
    done
    umount -R "$root/var/cache/apt/archives" "$root/dev" "$root/proc" 2>/dev/null
  }
  trap cleanup EXIT
  trap 'exit 130' INT TERM
  mount -t proc proc "$root/proc" &&
    mount --rbind /dev "$root/dev" &&
    mount --make-rslave "$root/dev" &&
    mount --bind "$archives" "$root/var/cache/apt/archives" || {
    echo "fresh machine: cannot mount /proc, /dev and the package cache in $root" >&2
    return 1
  }
  # A newcomer's shell: root's home, a plain PATH, no display.
  env -i HOME=/root TERM=dumb MOLVEX_IN_FRESH_ROOT=1 PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 chroot "$root" /bin/bash -c "$command"
}

in_root() {  # COMMAND
  echo "== in the fresh root: $1"
  local status=0
  unshare --mount --propagation private --fork \
    bash -c 'inner "$@"' inner "$root" "$cache/archives" "$1" </dev/null || status=$?
  [ $status -eq 0 ] || fail "'$1' failed in a fresh Debian root (status $status)"
}
export -f inner
in_root "$inside"
[ $mode = test ] && { counts 1 0 0; exit 0; }
if [ $mode = package ]; then
  tools/package_found.sh "$root" || fail "a host does not find the installed package"
  in_root "cd /root && ./package_in_root.sh remove"
  counts 1 0 0
  exit 0
fi

missing=()
for f in demo-input.wav long-dark-echo.wav resonant-slap.wav automated-sweep.wav \
  demo-input.png long-dark-echo.png resonant-slap.png automated-sweep.png editor.png; do
  [ -s "$root/root/molvex/out/$f" ] || missing+=("out/$f")
done
[ ${#missing[@]} -eq 0 ] || fail "the demo exited 0 but did not write ${missing[*]}"
[ -s "$root/root/.vst/Molvex.so" ] || fail "./run install did not put Molvex.so into ~/.vst"
[ -s "$root/root/.lv2/Molvex.lv2/manifest.ttl" ] ||
  fail "./run install did not put the bundle Molvex.lv2 into ~/.lv2"
[ -s "$root/root/.clap/Molvex.clap" ] || fail "./run install did not put Molvex.clap into ~/.clap"
echo "== the demo wrote out/ in full, and ./run install put Molvex.so into ~/.vst, Molvex.lv2 into ~/.lv2 and Molvex.clap into ~/.clap"
counts 1 0 0
