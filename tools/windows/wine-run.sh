#!/usr/bin/env bash
# Runs a Windows program of a Windows build tree under wine, in that tree's
# own prefix (build-win32/wineprefix is 32-bit, build-win64/wineprefix is
# 64-bit). CMake uses it as the emulator of the cross builds, so ctest and
# gtest discovery go through it too.
#   wine-run.sh PROGRAM.exe [ARGS...]
set -euo pipefail

program=$1
shift

if [ -z "${WINEPREFIX:-}" ]; then
  # The prefix of the build tree the program belongs to: the nearest folder
  # upwards that holds a CMakeCache.txt.
  dir=$(cd "$(dirname "$program")" && pwd)
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    echo "wine-run: $program is not inside a build tree" >&2
    exit 2
  fi
  export WINEPREFIX=$dir/wineprefix
fi
export WINEDEBUG=${WINEDEBUG:--all}
# No "install Mono/Gecko?" dialogs, and no desktop integration.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "wine-run: no wine prefix at $WINEPREFIX (tools/windows/test.sh creates it)" >&2
  exit 2
fi

exec wine "$program" "$@"
