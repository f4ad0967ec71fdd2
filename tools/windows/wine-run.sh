#!/usr/bin/env bash
# Runs a Windows program of a Windows build tree under wine, in that tree's
# own prefix: build-win32/wineprefix is a 32-bit prefix, build-win64's a
# 64-bit one. CMake uses this as the emulator of the cross builds, so ctest,
# gtest discovery and build-time generators all come through here.
#   wine-run.sh PROGRAM.exe [ARGS...]
#   wine-run.sh --prepare TREE win32|win64   (only create TREE's prefix)
# The prefix is created on first use (wineboot, some ten to thirty seconds),
# once per build tree; a lock keeps parallel first uses from racing.
set -euo pipefail
source "$(dirname "$0")/wine_env.sh"

export WINEDEBUG=${WINEDEBUG:--all}
# No "install Mono/Gecko?" prompts, and no menu entries on the build machine.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}

# A failed wineboot must not end the script before it has said why: its
# output is kept and its last lines shown.
prepare() {  # TREE ARCH
  local prefix=$1/wineprefix arch=$2
  [ -f "$prefix/system.reg" ] && return 0
  use_wine "$arch"
  local said status=0
  said=$(
    flock 9
    if [ ! -f "$prefix/system.reg" ]; then
      echo "wine-run: creating the $arch prefix $prefix (once per build tree)" >&2
      WINEPREFIX=$prefix WINEARCH=$arch "$WINE" wineboot -i </dev/null 2>&1 || echo "(wineboot answered $?)"
      WINEPREFIX=$prefix wineserver -w 2>&1 || true
    fi
  ) 9>"$1/wineprefix.lock" || status=$?
  if [ ! -f "$prefix/system.reg" ]; then
    echo "wine-run: could not create the $arch prefix $prefix (status $status); wine said:" >&2
    tail -n 5 <<<"${said:-(nothing)}" | sed 's/^/  /' >&2
    exit 2
  fi
}

if [ "${1:-}" = --prepare ]; then
  prepare "$2" "$3"
  exit 0
fi

program=$1
shift

# The tree the program belongs to: the nearest folder upwards with a
# CMakeCache.txt. Its own prefix is used whatever WINEPREFIX says, so a
# personal prefix never mixes with the builds'. The tree's programs share one
# machine type, which picks the prefix's: i386 (0x14c) gets a 32-bit prefix,
# anything else a 64-bit one.
tree=$(cd "$(dirname "$program")" && pwd)
while [ "$tree" != / ] && [ ! -f "$tree/CMakeCache.txt" ]; do tree=$(dirname "$tree"); done
if [ ! -f "$tree/CMakeCache.txt" ]; then
  echo "wine-run: $program is not inside a build tree" >&2
  exit 2
fi
pe=$(od -An -tu4 -j60 -N4 "$program" | tr -d ' ')
machine=$(od -An -tx2 -j$((pe + 4)) -N2 "$program" | tr -d ' ')
if [ "$machine" = 014c ]; then arch=win32; else arch=win64; fi
prepare "$tree" "$arch"
export WINEPREFIX=$tree/wineprefix
use_wine "$arch"

exec "$WINE" "$program" "$@"
